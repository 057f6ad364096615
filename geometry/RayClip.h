// The per-obstacle rule of ray clipping: how one leaf moves a probe's far end.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/Obstacle.h"
#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

// One ray being clipped: where it starts, where it runs, and the tree's state
// that the rule consults.
struct TRayQuery {
    TDirection Dir = DirNone;   // 0..3; any other value leaves the edge alone
    TSheetPoint Origin;         // the edge's end that never moves
    bool SkipGuides = false;    // guide lines (kind 5) are ignored
    bool WireExact = false;     // wire runs keep their exact rectangle; strict crossing test
    TSheetPoint Target{-1, -1}; // the search's target; X = -1 means none
};

// R = N pushed out to the snap grid: left and bottom down to the grid line
// at or below side - 1, right and top up to the grid line above. Division
// truncates toward zero, as the grid is defined on the sheet's non-negative
// coordinates.
void SnapToGrid(const TBoundingRect& n, TBoundingRect& r);

// The obstacle-kind weight that a ray running along a leaf records.
int32_t AlongWeight(int32_t kind);

// The coordinate of the edge that a ray in dir moves: its far end.
int32_t& RayFarEnd(TEdge& edge, TDirection dir);

// Applies one leaf to the edge: may move the far end, record a stop weight
// and mark a wire crossing. Leaves must be offered in tree order (low subtree
// first); a later leaf may overwrite what an earlier one decided. The leaf's
// effective rectangle is computed into scratch, so no allocation happens.
void ClipRayAtLeaf(const TObstacle& leaf, const TRayQuery& ray, TEdge& edge,
                   TBoundingRect& scratch);

} // namespace pathwick
