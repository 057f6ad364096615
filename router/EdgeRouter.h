// Finds an orthogonal path for one wire segment round the obstacles of the tree.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/ObstacleTree.h"
#include "host/HostRef.h"
#include "router/BestPath.h"
#include "router/PathSearch.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace pathwick {

// The two user settings the router works with.
struct TRouterSettings {
    int32_t TimeOut = 0;    // milliseconds for both searches; each gets half
    int32_t AvoidWires = 0; // the weight of crossing a wire, 1 to 10
};

// Makes the new free-standing host wire that receives a found path; empty when
// the host cannot make one (then no path is returned).
using TWireFactory = std::function<HostRef<ISch_Wire>()>;

// How both searches of a request went and which one was used.
struct TRouteStats {
    TSearchOutcome Forward; // from the start to the end
    TSearchOutcome Reverse; // from the end to the start
    int32_t InitialBound = 0;
    bool ReverseChosen = false;
    bool Found = false;
    uint64_t TotalNodes() const { return Forward.Nodes + Reverse.Nodes; }
};

// One router per routing request: construct, FindPath once, destroy. It runs a
// time-bounded depth-first branch-and-bound search from the start to the end
// and one from the end to the start, keeps the cheaper path, and builds it
// into a new host wire. Guide lines, touched marks and the tree's Target that
// it writes stay in the tree.
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
    HostRef<ISch_Wire> FindPath();

    const TRouteStats& Stats() const { return stats_; }

private:
    void PrepareTree();
    HostRef<ISch_Wire> BuildResult(const TBestPath& path, const TSheetPoint& from);

    TObstacleTree& Tree;
    const TSheetPoint Start;
    const TSheetPoint End;
    const TBoundingRect SheetRect;
    const TWireFactory NewWire;
    const uint32_t StartTick;
    const int32_t TimeBudget;
    const int32_t AvoidWires;
    const TSearchOptions SpeedUps;
    TRouteStats stats_;
};

} // namespace pathwick
