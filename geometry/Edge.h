// An axis-parallel probe segment: the result of one ray cast.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

// StopWeight 5 means that no weight has been recorded yet.
inline constexpr int32_t NoStopWeight = 5;

// A value owned by whoever asked for it.
struct TEdge {
    TSheetPoint StartPoint; // left end of a horizontal edge, upper end of a vertical one
    TSheetPoint EndPoint;   // right end of a horizontal edge, lower end of a vertical one
    int32_t StopWeight = NoStopWeight;
    bool CrossesWire = false;

    TEdge() = default;
    TEdge(const TSheetPoint& start, const TSheetPoint& end) : StartPoint(start), EndPoint(end) {}

    // P lies on the edge's line strictly between its two ends.
    bool ContainsInside(const TSheetPoint& p) const;
};

} // namespace pathwick
