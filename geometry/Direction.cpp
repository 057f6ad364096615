#include "geometry/Direction.h"

#include <utility>

namespace pathwick {

TDirection OppositeDirection(TDirection d) {
    switch (d) {
    case TDirection::L:
        return TDirection::R;
    case TDirection::B:
        return TDirection::T;
    case TDirection::R:
        return TDirection::L;
    case TDirection::T:
        return TDirection::B;
    default:
        return TDirection::Invalid;
    }
}

TAxis SegmentAxis(const TSheetPoint& a, const TSheetPoint& b) {
    if (a.X == b.X)
        return TAxis::Vertical;
    if (a.Y == b.Y)
        return TAxis::Horizontal;
    return TAxis::Neither;
}

void OrderEndPoints(TSheetPoint& a, TSheetPoint& b) {
    if (a.Y < b.Y)
        std::swap(a, b);
    if (a.X > b.X)
        std::swap(a, b);
}

} // namespace pathwick
