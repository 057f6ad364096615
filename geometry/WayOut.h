// The mended rule for a way out of a request's end point.
#pragma once

#include "geometry/Direction.h"
#include "host/HostTypes.h"

#include <optional>

namespace pathwick {

class TObstacleTree;

// One step out of p in direction d that a person would draw when what
// touches p (the pin's symbol, a wire already ending at p, a neighbour on
// the same pin) closes every way out:
// - it does not run along a wire that touches p, nor into the inside of
//   anything else that touches p (it leaves along a side or outward);
// - it goes no further than the first grid line beyond p, nor further than
//   a search ray from p reaches when the things that touch p are left out;
// - nothing else on the sheet (no pin, wire, junction or other obstacle)
//   touches the step anywhere but at p.
// Returns where the step ends, or nothing. Reads the tree's Target and its
// mends (junctions they leave out stay out); changes nothing.
std::optional<TSheetPoint> WayOutStep(const TObstacleTree& tree, const TSheetPoint& p,
                                      TDirection d);

// The straight run between two end points a and b on one line, as a person
// draws it: by the same tests as a way-out step at both ends, but running
// all the way, and touching nothing but what touches a or b.
bool StraightRunClear(const TObstacleTree& tree, const TSheetPoint& a, const TSheetPoint& b);

} // namespace pathwick
