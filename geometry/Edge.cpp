#include "geometry/Edge.h"

namespace pathwick {

namespace {
bool StrictlyBetween(int32_t v, int32_t a, int32_t b) {
    return (a < v && v < b) || (b < v && v < a);
}
} // namespace

bool TEdge::ContainsInside(const TSheetPoint& p) const {
    if (p.Y != StartPoint.Y && p.X != StartPoint.X)
        return false;
    const bool alongX = p.Y == StartPoint.Y && StrictlyBetween(p.X, StartPoint.X, EndPoint.X);
    const bool alongY = p.X == StartPoint.X && StrictlyBetween(p.Y, StartPoint.Y, EndPoint.Y);
    return alongX || alongY;
}

} // namespace pathwick
