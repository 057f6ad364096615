// Direction codes and the small point functions the geometry and router share.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

// One byte: 0 L (toward smaller x), 1 B (smaller y), 2 R (larger x), 3 T (larger y),
// 4 none (also the axis code of a diagonal segment), 5 no direction.
using TDirection = uint8_t;
inline constexpr TDirection DirL = 0;
inline constexpr TDirection DirB = 1;
inline constexpr TDirection DirR = 2;
inline constexpr TDirection DirT = 3;
inline constexpr TDirection DirNone = 4;
inline constexpr TDirection DirInvalid = 5;
// Axis codes returned by SegmentAxis.
inline constexpr TDirection AxisVertical = 3;
inline constexpr TDirection AxisHorizontal = 2;

// The letters of the router's path strings, indexed by direction code.
inline constexpr char DirectionLetters[] = "LBRT";

TDirection OppositeDirection(TDirection d);
TDirection SegmentAxis(const TSheetPoint& a, const TSheetPoint& b);
// Afterwards a vertical segment has its upper point in a, a horizontal one its left point.
void OrderEndPoints(TSheetPoint& a, TSheetPoint& b);
inline bool SamePoint(const TSheetPoint& a, const TSheetPoint& b) {
    return a.X == b.X && a.Y == b.Y;
}
inline int32_t MaxInt(int32_t a, int32_t b) {
    return a > b ? a : b;
}
inline int32_t MinInt(int32_t a, int32_t b) {
    return a < b ? a : b;
}

} // namespace pathwick
