// One depth-first branch-and-bound search for a path between two points.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/ObstacleTree.h"
#include "host/HostTypes.h"
#include "router/BestPath.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pathwick {

// The search's speed-ups. Each leaves the path found unchanged; switched off,
// the search takes the plain way, kept to compare against.
struct TSearchOptions {
    // A move takes the edge its direction's probe found instead of casting
    // the same ray again (node counts stay the same).
    bool ReuseProbeRays = true;
    // Every ray a search casts is kept for the rest of that search, so that a
    // point visited again is probed without casting (node counts stay the same).
    bool RememberRays = true;
    // A state (point and incoming direction) whose whole subtree a visit has
    // explored is not explored again where what that visit proved shows that
    // nothing below it can be recorded: at a higher cost so far, or at a
    // lower one that still cannot beat the bound (fewer nodes, the same path).
    bool PruneRevisits = true;
};

// What the searches of one request share: the tree they probe, the sheet
// whose border no move may reach, the router's two settings and the speed-ups.
struct TSearchContext {
    TObstacleTree& Tree;
    const TBoundingRect& Sheet;
    int32_t TimeBudget = 0; // milliseconds per search
    int32_t AvoidWires = 1; // the wire-crossing weight, 1 to 10
    TSearchOptions Options;
    // Where costs and totals saturate: the 32-bit maximum by the rules as
    // they stand, far above any path's cost for the long-connection mend.
    int64_t CostCeiling = StrictCostCeiling;
};

// What one search found and how it went.
struct TSearchOutcome {
    std::optional<TBestPath> Best; // the cheapest path found, if any
    int64_t Bound = 0;             // the best total at the end: the next search's bound
    bool Ran = false;              // both end points were routable and the search started
    bool Completed = false;        // ran to its end without the time budget stopping it
    bool StoppedByBudget = false;  // a Search call found the budget spent
    bool NoWayOut = false;         // an end point had no direction to leave by
    bool NoWayOutAtTarget = false; // with NoWayOut: it was the target, not the start
    bool StartBlocked = false;     // the start lies inside an obstacle: no search
    bool TargetBlocked = false;    // the target does
    uint64_t Nodes = 0;            // Search calls
    uint64_t Rays = 0;             // clipped rays cast (probes and moves)
    uint64_t MaxDepth = 0;         // most moves on the path being explored
    uint64_t RevisitsPruned = 0;   // moves not explored: their state was proven dead

    // The best path's text form; empty when none was found.
    std::string Line() const { return Best ? Best->Text() : std::string(); }
};

// Searches from start to target, pruning every branch whose cost reaches
// bound, while the tick count stays within the context's budget from
// startTick. Moves never reverse; directions are tried cheapest first. The
// search sets the tree's Target to target (the ray clipping reads it); a
// search whose end points are equal, or either of them blocked, does not run.
TSearchOutcome SearchPath(const TSearchContext& context, const TSheetPoint& start,
                          const TSheetPoint& target, uint32_t startTick, int64_t bound);

} // namespace pathwick
