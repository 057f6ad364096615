#include "router/WayOutEnds.h"

#include "geometry/WayOut.h"
#include "host/HostCall.h"
#include "router/RouterDetail.h"

#include <cstdlib>

namespace pathwick {

namespace {

int64_t Distance(const TSheetPoint& a, const TSheetPoint& b) {
    return std::llabs(int64_t{a.X} - b.X) + std::llabs(int64_t{a.Y} - b.Y);
}

bool Between(int32_t a, int32_t b, int32_t c) {
    return (a <= b && b <= c) || (c <= b && b <= a);
}

// b lies on the straight piece from a to c: the path goes straight on at b.
bool Straight(const TSheetPoint& a, const TSheetPoint& b, const TSheetPoint& c) {
    return (a.X == b.X && b.X == c.X && Between(a.Y, b.Y, c.Y)) ||
           (a.Y == b.Y && b.Y == c.Y && Between(a.X, b.X, c.X));
}

} // namespace

TSheetPoint SearchEndFor(TObstacleTree& tree, const TBoundingRect& sheet, const TSheetPoint& end,
                         const TSheetPoint& other) {
    tree.Target = other;
    for (TDirection d : MoveDirections)
        if (router::GetEdge(tree, sheet, end, d))
            return end;
    TSheetPoint best = end;
    for (TDirection d : MoveDirections) {
        const std::optional<TSheetPoint> q = WayOutStep(tree, end, d);
        if (q && (SamePoint(best, end) || Distance(*q, other) < Distance(best, other)))
            best = *q;
    }
    return best;
}

std::vector<TSheetPoint> Straightened(const std::vector<TSheetPoint>& points) {
    std::vector<TSheetPoint> out;
    for (const TSheetPoint& p : points) {
        if (!out.empty() && SamePoint(out.back(), p))
            continue;
        if (out.size() >= 2 && Straight(out[out.size() - 2], out.back(), p))
            out.pop_back();
        out.push_back(p);
    }
    return out;
}

void WriteVertices(ISch_Polygon* wire, const std::vector<TSheetPoint>& points) {
    HostCall(wire->SetVertexCount(static_cast<int32_t>(points.size())));
    for (std::size_t i = 0; i < points.size(); ++i)
        HostCall(wire->SetVertex(static_cast<int32_t>(i + 1), points[i]));
}

} // namespace pathwick
