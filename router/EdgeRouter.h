// Finds an orthogonal path for one wire segment round the obstacles of the tree.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/ObstacleTree.h"
#include "host/HostRef.h"
#include "router/BestPath.h"
#include "router/PathSearch.h"
#include "router/RouteRules.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace pathwick {

// The two user settings the router works with, and the rules it follows.
struct TRouterSettings {
    int32_t TimeOut = 0;    // milliseconds for both searches; each gets half
    int32_t AvoidWires = 0; // the weight of crossing a wire, 1 to 10
    TRouteRules Rules = StrictRules;
};

// Makes the new free-standing host wire that receives a found path; empty when
// the host cannot make one (then no path is returned).
using TWireFactory = std::function<THostRef<ISch_Wire>()>;

// How both searches of a request went and which one was used.
// With the mended rules, Forward and Reverse are those of the mended pass
// when it ran.
struct TRouteStats {
    TSearchOutcome Forward; // from the start to the end
    TSearchOutcome Reverse; // from the end to the start
    int64_t InitialBound = 0;
    bool ReverseChosen = false;
    bool Found = false;
    bool MendedPass = false; // the rules as they stand found nothing usable; the mends ran
    bool FoundByMends = false;
    uint64_t TotalNodes() const { return Forward.Nodes + Reverse.Nodes; }
};

// One router per routing request: construct, FindPath once, destroy. It runs a
// time-bounded depth-first branch-and-bound search from the start to the end
// and one from the end to the start, keeps the cheaper path, and builds it
// into a new host wire. Guide lines, touched marks and the tree's Target that
// it writes stay in the tree.
//
// With mends in its rules, a request that the rules as they stand leave
// without a path, or (KeepOffConnectionPoints) with a path through another
// pin's or port's connection point, which is then dropped, gets a second pass
// with the mends, within what is left of the time-out. The pass adds nothing
// to the tree (the guide lines and marks are those of the first pass) and
// takes its mends back out of the tree when it ends, so the tree is left as
// the first pass alone would leave it, but for the Target of a path it
// found or of the path it dropped.
class TEdgeRouter {
public:
    // The forward search's time budget starts here. Rays that reach the
    // sheet's extent go nowhere; newWire is asked for the result wire once a
    // path has been chosen. The speed-ups never change the path.
    TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end, const TRouterSettings& settings,
                TObstacleTree& tree, const TBoundingRect& sheet, TWireFactory newWire,
                const TSearchOptions& speedUps = {});
    TEdgeRouter(const TEdgeRouter&) = delete;
    TEdgeRouter& operator=(const TEdgeRouter&) = delete;

    // The found path as a new host wire whose vertex 1 is the end point and whose
    // last vertex is the start point; empty when no path was found. Call once.
    THostRef<ISch_Wire> FindPath();

    const TRouteStats& Stats() const { return stats_; }

private:
    void PrepareTree();
    // Both searches between from and to under the context and bound; true
    // when a path is chosen.
    bool RunSearches(const TSearchContext& context, const TSheetPoint& from, const TSheetPoint& to,
                     uint32_t forwardTick, int64_t bound);
    THostRef<ISch_Wire> RunMendedPass();
    THostRef<ISch_Wire> FirstPassResult();
    // The path passes a pin's or port's connection point other than the
    // request's own ends.
    bool RunsThroughConnectionPoint(ISch_Wire* path) const;
    // The chosen search's path as the result wire, from `to` to `from`.
    THostRef<ISch_Wire> Finish(const TSheetPoint& from, const TSheetPoint& to);
    THostRef<ISch_Wire> BuildResult(const TBestPath& path, const TSheetPoint& from);

    TObstacleTree& Tree;
    const TSheetPoint Start;
    const TSheetPoint End;
    const TBoundingRect SheetRect;
    const TWireFactory newWire_;
    const uint32_t StartTick;
    const int32_t TimeOut;
    const int32_t TimeBudget;
    const int32_t AvoidWires;
    const TRouteRules rules_;
    const TSearchOptions speedUps_;
    TRouteStats stats_;
    bool firstDropped_ = false; // the first pass's path ran through a connection point
};

} // namespace pathwick
