// The mended pass's ends: a boxed-in end point is searched from the end of
// its way-out step, and the step is put back on the found path.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/ObstacleTree.h"
#include "host/HostInterfaces.h"

#include <vector>

namespace pathwick {

// Where the mended search starts or ends for the request's end point `end`
// (`other` being the request's other end): `end` itself when a search ray
// leaves it, or when it has no way-out step (WayOut.h); otherwise the end of
// its way-out step nearest to `other` (the first in the order L, B, R, T on
// a tie). Sets the tree's Target to `other`, as a search from `end` would.
TSheetPoint SearchEndFor(TObstacleTree& tree, const TBoundingRect& sheet, const TSheetPoint& end,
                         const TSheetPoint& other);

// The points with repeated ones dropped, and every vertex where the path
// goes straight on.
std::vector<TSheetPoint> Straightened(const std::vector<TSheetPoint>& points);

// Writes the points into the wire as its vertices 1.. (any former ones gone).
void WriteVertices(ISch_Polygon* wire, const std::vector<TSheetPoint>& points);

} // namespace pathwick
