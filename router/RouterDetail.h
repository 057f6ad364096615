// The stand-alone pieces of the edge router: its cost model, direction letters,
// the choice between the two searches, and the clipped move that every probe
// and replay uses.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/ObstacleTree.h"
#include "router/BestPath.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pathwick::router {

// Cost model constants (sheet units and cost units).
inline constexpr TSheetPoint NoPoint{-1, -1};
inline constexpr int32_t StraightBaseCost = 15;
inline constexpr int32_t TurnBaseCost = 50;
inline constexpr int32_t GrowthFactor = 5;
inline constexpr int32_t HeadingBonus = 40;
inline constexpr int32_t WireCrossCost = 50;
inline constexpr int32_t LengthDivisor = 10;
inline constexpr int32_t SegmentCharge = 100;
inline constexpr int32_t BoundFactor = 25;
inline constexpr int32_t MinInitialBound = 300'000'000;
inline constexpr int32_t MaxInitialBound = 1'200'000'000;

// The cost of a direction that cannot be taken.
inline constexpr int32_t NoCost = -1;
// The rank of a direction that is never tried.
inline constexpr int NoRank = 4;

// The code whose letter in "LBRT" is c; TDirection::None for any other character.
TDirection DirectionOf(char c);
// The letter of a direction 0..3; '?' for any other code.
inline char LetterOf(TDirection d) {
    return IsMoveDirection(d) ? DirectionLetters[DirectionIndex(d)] : '?';
}
// The moves with every run of equal letters collapsed to one letter.
std::string CollapseRuns(std::string_view moves);

// The far end of a run that a move in direction d walks: StartPoint for L and
// T, EndPoint for B and R.
inline const TSheetPoint& FarEnd(const TEdge& edge, TDirection d) {
    return (d == TDirection::L || d == TDirection::T) ? edge.StartPoint : edge.EndPoint;
}

// The search's move from p in direction d: the clipped ray, or nothing when it
// runs to the sheet's border in that direction or has no length.
std::optional<TEdge> GetEdge(TObstacleTree& tree, const TBoundingRect& sheet, const TSheetPoint& p,
                             TDirection d);

// Clamps an exact value to the range of costs and totals: a value above the
// ceiling becomes the ceiling (such a cost can never beat any bound below it).
int64_t SaturateCost(int64_t value, int64_t ceiling = StrictCostCeiling);

// The price of one move in direction d from p to n after a move in direction
// previous, towards target, along edge. Computed exactly in 64 bits; a result
// above the ceiling saturates there, a negative one becomes 1.
int64_t StepCost(TDirection d, TDirection previous, const TSheetPoint& p, const TSheetPoint& n,
                 const TEdge& edge, const TSheetPoint& target, int32_t avoidWires,
                 int64_t ceiling = StrictCostCeiling);

// 25 x the Manhattan distance, computed without overflow and clamped to
// [MinInitialBound, MaxInitialBound].
int32_t InitialBound(const TSheetPoint& from, const TSheetPoint& to);
// The long-connection mend's bound: 25 x the Manhattan distance, at least
// MinInitialBound, exact in 64 bits and never clamped from above, so that no
// path is cut off merely for being long.
int64_t LongInitialBound(const TSheetPoint& from, const TSheetPoint& to);

// C + the final move's cost + 100 per segment, saturating at the ceiling.
int64_t PathTotal(int64_t accumulated, int64_t stepCost, std::size_t segments,
                  int64_t ceiling = StrictCostCeiling);

// Ranks 0..3 (3 = cheapest, tried first); NoRank for a cost of NoCost.
std::array<int, 4> RankDirections(const std::array<int64_t, 4>& costs);

// The tick count has not run more than budget milliseconds past start: the
// wrapping 32-bit difference, read as signed, is at most budget.
bool WithinBudget(uint32_t now, uint32_t start, int32_t budget);

// Whether the reverse search's path wins: its total is at most the forward
// total (the forward path's, else initialBound).
bool ReverseChosen(const std::optional<TBestPath>& forward, const std::optional<TBestPath>& reverse,
                   int64_t initialBound);

} // namespace pathwick::router
