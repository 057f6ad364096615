// Direction codes and the small point functions the geometry and router share.
#pragma once

#include "host/HostTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace pathwick {

// One byte with fixed codes: L toward smaller x, B smaller y, R larger x,
// T larger y; None is no direction (the start of a path), Invalid the
// opposite of anything but L, B, R and T.
enum class TDirection : uint8_t { L = 0, B = 1, R = 2, T = 3, None = 4, Invalid = 5 };

// The four directions a ray or a move can take, in the order the router
// tries directions of equal cost.
inline constexpr std::array<TDirection, 4> MoveDirections = {TDirection::L, TDirection::B,
                                                             TDirection::R, TDirection::T};

constexpr bool IsMoveDirection(TDirection d) {
    return static_cast<uint8_t>(d) <= static_cast<uint8_t>(TDirection::T);
}
// The direction's code, 0 to 3 for L, B, R, T: its position in tables of four.
constexpr std::size_t DirectionIndex(TDirection d) {
    return static_cast<std::size_t>(d);
}

// The letters of the router's path strings, indexed by direction code.
inline constexpr char DirectionLetters[] = "LBRT";

// The axis a segment lies on; a segment that is neither horizontal nor
// vertical lies on none.
enum class TAxis : uint8_t { Horizontal = 2, Vertical = 3, Neither = 4 };

TDirection OppositeDirection(TDirection d);
// Vertical when the x coordinates are equal (so also for two equal points),
// else horizontal when the y coordinates are.
TAxis SegmentAxis(const TSheetPoint& a, const TSheetPoint& b);
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
