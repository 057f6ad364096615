#include "geometry/Direction.h"

#include <utility>

namespace pathwick {

TDirection OppositeDirection(TDirection d) {
    switch (d) {
    case DirL:
        return DirR;
    case DirB:
        return DirT;
    case DirR:
        return DirL;
    case DirT:
        return DirB;
    default:
        return DirInvalid;
    }
}

TDirection SegmentAxis(const TSheetPoint& a, const TSheetPoint& b) {
    if (a.X == b.X)
        return AxisVertical;
    if (a.Y == b.Y)
        return AxisHorizontal;
    return DirNone;
}

void OrderEndPoints(TSheetPoint& a, TSheetPoint& b) {
    if (a.Y < b.Y)
        std::swap(a, b);
    if (a.X > b.X)
        std::swap(a, b);
}

} // namespace pathwick
