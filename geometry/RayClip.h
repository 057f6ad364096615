// The per-obstacle rule of ray clipping: how one leaf moves a probe's far end.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/EndPointMends.h"
#include "geometry/Obstacle.h"
#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

// How a ray is cast. The three named modes are the ones the router uses.
struct TRayMode {
    bool Clip = true;        // cut by the obstacles; else the whole run to the sheet's edge
    bool SkipGuides = false; // guide lines (kind 5) do not stop it
    bool WireExact = false;  // wire runs keep their exact rectangle; strict crossing test
};
// The whole run to the sheet's edge: the router's guide lines.
inline constexpr TRayMode UnclippedRay{false, false, false};
// A move or probe of the search: stopped by guide lines, wire runs widened.
inline constexpr TRayMode SearchRay{true, false, false};
// A shortcut test of the path construction: guide lines ignored, wire runs exact.
inline constexpr TRayMode ShortcutTestRay{true, true, true};

// One ray being clipped: where it starts, where it runs, and the tree's state
// that the rule consults.
struct TRayQuery {
    TDirection Dir = TDirection::None; // L, B, R or T; any other value leaves the edge alone
    TSheetPoint Origin;                // the edge's end that never moves
    bool SkipGuides = false;           // guide lines (kind 5) are ignored
    bool WireExact = false;            // wire runs keep their exact rectangle; strict crossing test
    TSheetPoint Target{-1, -1};        // the search's target; X = -1 means none
    const TEndPointMends* Mends = nullptr; // the mended rules at the request's ends, if they apply
};

// N pushed out to the snap grid: left and bottom down to the grid line at or
// below side - 1, right and top up to the grid line above. Division truncates
// toward zero, as the grid is defined on the sheet's non-negative coordinates.
TBoundingRect SnappedToGrid(const TBoundingRect& n);

// Where a ray stops to stay short of q, a point on its line ahead of its
// origin: the grid line before q (one SnapStep short when q is on the grid),
// or the origin itself when that line is not ahead of it.
int32_t GridLineBefore(const TRayQuery& ray, const TSheetPoint& q);

// The obstacle-kind weight that a ray running along a leaf records.
int32_t AlongWeight(int32_t kind);

// The coordinate of the edge that a ray in dir moves: its far end.
int32_t& RayFarEnd(TEdge& edge, TDirection dir);

// Applies one leaf to the edge: may move the far end, record a stop weight
// and mark a wire crossing. Leaves must be offered in tree order (low subtree
// first); a later leaf may overwrite what an earlier one decided.
void ClipRayAtLeaf(const TObstacle& leaf, const TRayQuery& ray, TEdge& edge);

} // namespace pathwick
