// The best path a search found.
#pragma once

#include <cstdint>
#include <string>

namespace pathwick {

// The moves of a path, one letter of "LBRT" each in the order they are made
// (a run of equal letters is one straight segment), and its total cost.
struct TBestPath {
    std::string Moves;
    int32_t Total = 0;

    // The text form of reports and tests: the moves, ";", the total ("RRT;4521").
    std::string Text() const { return Moves + ";" + std::to_string(Total); }

    friend bool operator==(const TBestPath&, const TBestPath&) = default;
};

} // namespace pathwick
