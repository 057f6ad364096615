#include "geometry/ObstacleDump.h"

#include "geometry/ObstacleKinds.h"

#include <cstddef>
#include <cstdio>

namespace pathwick {

const char* ObstacleKindName(int32_t kind) {
    switch (kind) {
    case KindGuideLine:
        return "guide line";
    case KindBusEntry:
        return "bus entry";
    case KindPointObject:
        return "point object";
    case KindPolyline:
        return "polyline";
    case KindWire:
        return "wire run";
    case KindBus:
        return "bus";
    case KindLabel:
        return "label";
    case KindSymbol:
        return "symbol";
    case KindSheetFrame:
        return "sheet frame";
    case KindPin:
        return "pin";
    default:
        return "";
    }
}

std::string DescribeObstacles(const TObstacleTree& tree) {
    std::string out;
    std::size_t index = 0;
    tree.ForEachLeaf([&](const TObstacle& leaf) {
        const char* name = ObstacleKindName(leaf.Kind);
        char line[160];
        std::snprintf(line, sizeof line, "%zu kind %d%s%s (%d, %d)-(%d, %d)%s\n", index,
                      static_cast<int>(leaf.Kind), *name ? " " : "", name,
                      static_cast<int>(leaf.Bounds.Left), static_cast<int>(leaf.Bounds.Bottom),
                      static_cast<int>(leaf.Bounds.Right), static_cast<int>(leaf.Bounds.Top),
                      leaf.Touched ? " touched" : "");
        out += line;
        ++index;
    });
    return out;
}

} // namespace pathwick
