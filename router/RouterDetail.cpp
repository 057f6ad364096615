#include "router/RouterDetail.h"

#include <limits>

namespace pathwick::router {

namespace {

int64_t Abs64(int64_t v) {
    return v < 0 ? -v : v;
}

// Manhattan distance, exact in 64 bits (up to about 8.6e9 for int32 points).
int64_t Distance(const TSheetPoint& a, const TSheetPoint& b) {
    return Abs64(int64_t{a.Y} - b.Y) + Abs64(int64_t{a.X} - b.X);
}

} // namespace

TDirection DirectionOf(char c) {
    for (TDirection d : MoveDirections) {
        if (DirectionLetters[DirectionIndex(d)] == c)
            return d;
    }
    return TDirection::None;
}

std::string CollapseRuns(std::string_view moves) {
    std::string turns;
    for (char c : moves) {
        if (turns.empty() || turns.back() != c)
            turns.push_back(c);
    }
    return turns;
}

std::optional<TEdge> GetEdge(TObstacleTree& tree, const TBoundingRect& sheet, const TSheetPoint& p,
                             TDirection d) {
    const TEdge edge = tree.CastRay(d, p, SearchRay);
    bool toBorder = false;
    switch (d) {
    case TDirection::L:
        toBorder = edge.StartPoint.X == 0;
        break;
    case TDirection::B:
        toBorder = edge.EndPoint.Y == 0;
        break;
    case TDirection::R:
        toBorder = edge.EndPoint.X == sheet.Right;
        break;
    case TDirection::T:
        toBorder = edge.StartPoint.Y == sheet.Top;
        break;
    default:
        break;
    }
    if (toBorder || SamePoint(edge.StartPoint, edge.EndPoint))
        return std::nullopt;
    return edge;
}

int64_t SaturateCost(int64_t value, int64_t ceiling) {
    if (value > ceiling)
        return ceiling;
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return value;
}

int64_t StepCost(TDirection d, TDirection previous, const TSheetPoint& p, const TSheetPoint& n,
                 const TEdge& edge, const TSheetPoint& target, int32_t avoidWires,
                 int64_t ceiling) {
    // Every term is exact in 64 bits: distances reach ~8.6e9, the weighted
    // length at most 2 x 2^31 x 4.3e8 ~ 1.9e18. Only the result is clamped.
    int64_t cost = 0;
    if (d == previous) {
        const int64_t distP = Distance(target, p);
        const int64_t distN = Distance(target, n);
        cost = StraightBaseCost;
        if (distN > distP)
            cost += GrowthFactor * (distN - distP);
    } else {
        cost = TurnBaseCost + Distance(target, n);
    }
    const int64_t weight = edge.StopWeight;
    cost += weight * (Abs64(int64_t{edge.StartPoint.X} - edge.EndPoint.X) / LengthDivisor);
    cost += weight * (Abs64(int64_t{edge.StartPoint.Y} - edge.EndPoint.Y) / LengthDivisor);
    if (edge.CrossesWire)
        cost += int64_t{WireCrossCost} * avoidWires;
    const TDirection towardsX = target.X < n.X ? TDirection::L : TDirection::R;
    const TDirection towardsY = target.Y < n.Y ? TDirection::B : TDirection::T;
    cost += (d == towardsX || d == towardsY) ? -HeadingBonus : HeadingBonus;
    if (cost < 0)
        return 1;
    return SaturateCost(cost, ceiling);
}

int32_t InitialBound(const TSheetPoint& from, const TSheetPoint& to) {
    const int64_t bound = BoundFactor * Distance(from, to);
    if (bound < MinInitialBound)
        return MinInitialBound;
    if (bound > MaxInitialBound)
        return MaxInitialBound;
    return static_cast<int32_t>(bound);
}

int64_t LongInitialBound(const TSheetPoint& from, const TSheetPoint& to) {
    // At most 25 x 2^33: far inside 64 bits.
    const int64_t bound = BoundFactor * Distance(from, to);
    return bound < MinInitialBound ? MinInitialBound : bound;
}

int64_t PathTotal(int64_t accumulated, int64_t stepCost, std::size_t segments, int64_t ceiling) {
    // Both costs are at most the ceiling (2^60 at most) and segments is a
    // string length: 100 x that stays far below 2^62, so the sum is exact.
    const int64_t charge = int64_t{SegmentCharge} * static_cast<int64_t>(segments);
    return SaturateCost(accumulated + stepCost + charge, ceiling);
}

std::array<int, 4> RankDirections(const std::array<int64_t, 4>& costs) {
    std::array<int, 4> ranks{};
    for (std::size_t d = 0; d < 4; ++d) {
        ranks[d] = NoRank;
        if (costs[d] == NoCost)
            continue;
        int rank = 0;
        for (std::size_t e = 0; e < 4; ++e) {
            if (e != d && costs[d] <= costs[e])
                ++rank;
        }
        ranks[d] = rank;
    }
    return ranks;
}

bool WithinBudget(uint32_t now, uint32_t start, int32_t budget) {
    // Unsigned subtraction wraps at 2^32; the conversion to int32 is modular.
    const auto elapsed = static_cast<int32_t>(now - start);
    return elapsed <= budget;
}

bool ReverseChosen(const std::optional<TBestPath>& forward, const std::optional<TBestPath>& reverse,
                   int64_t initialBound) {
    const int64_t forwardTotal = forward ? forward->Total : initialBound;
    return reverse && reverse->Total <= forwardTotal;
}

} // namespace pathwick::router
