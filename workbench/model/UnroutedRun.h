// How the workbench places a segment that the module could not route.
#pragma once

#include "workbench/model/Polyline.h"

#include <vector>

namespace pathwick::workbench {

// The user's segment as a schematic editor keeps it: a horizontal run, then a
// vertical one, with one corner at (to.X, from.Y); a segment that is already
// horizontal or vertical stays one run. From `from` to `to`.
std::vector<TSheetPoint> CornerRun(TSheetPoint from, TSheetPoint to);

// Gives the wire the vertices `before` (ending at the segment's start)
// followed by the corner run to `to`, marks its runs unrouted, and returns
// the run.
std::vector<TSheetPoint> PlaceUnrouted(TPolyline& wire, std::vector<TSheetPoint> before,
                                       TSheetPoint to);

// A stretch of a wire whose segments are all routed or all unrouted.
struct TWireStretch {
    std::vector<TSheetPoint> Points;
    bool Unrouted = false;
};

// The wire cut where routed and unrouted segments meet, in order; a wire of
// one vertex is one routed stretch of that vertex, one without none.
std::vector<TWireStretch> WireStretches(const TPolyline& wire);

} // namespace pathwick::workbench
