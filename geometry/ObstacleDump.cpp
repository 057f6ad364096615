#include "geometry/ObstacleDump.h"

#include "geometry/ObstacleKinds.h"

#include <cstddef>
#include <cstdio>

namespace pathwick {

const char* ObstacleKindName(int32_t kind) {
    switch (kind) {
    case KindGuideLine:
        return "guide line";
    case kinds::BusEntry:
        return "bus entry";
    case kinds::Junction:
        return "point object";
    case kinds::Polyline:
        return "polyline";
    case kinds::Wire:
        return "wire run";
    case kinds::Bus:
        return "bus";
    case kinds::Label:
        return "label";
    case kinds::Symbol:
        return "symbol";
    case KindSheetFrame:
        return "sheet frame";
    case kinds::Pin:
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
