// The best path a search found.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace pathwick {

// Costs and totals are worked in 64 bits. The rules as they stand keep them
// in 32: every cost and total above the 32-bit maximum saturates there. The
// long-connection mend lifts that ceiling.
inline constexpr int64_t StrictCostCeiling = std::numeric_limits<int32_t>::max();
// High enough that no path on a 32-bit sheet reaches it, low enough that sums
// of a few such values stay exact.
inline constexpr int64_t LongCostCeiling = int64_t{1} << 60;

// The moves of a path, one letter of "LBRT" each in the order they are made
// (a run of equal letters is one straight segment), and its total cost.
struct TBestPath {
    std::string Moves;
    int64_t Total = 0;

    // The text form of reports and tests: the moves, ";", the total ("RRT;4521").
    std::string Text() const { return Moves + ";" + std::to_string(Total); }

    friend bool operator==(const TBestPath&, const TBestPath&) = default;
};

} // namespace pathwick
