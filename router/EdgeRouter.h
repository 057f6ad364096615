// Finds an orthogonal path for one wire segment round the obstacles of the tree.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/HostRef.h"

#include <cstdint>
#include <string>

namespace pathwick {

class TRouteOptions;

// What one search did; read-only extras that change nothing.
struct TSearchStats {
    bool Ran = false;       // both end points were routable and the search started
    bool Completed = false; // ran to its end without the time budget stopping it
    uint64_t Nodes = 0;     // Search calls
    uint64_t Rays = 0;      // clipped rays cast (probes and moves)
    std::string Line;       // the best result line, empty when none
};

struct TRouteStats {
    TSearchStats Forward;
    TSearchStats Reverse;
    bool ReverseChosen = false;
    bool Found = false;
    uint64_t TotalNodes() const { return Forward.Nodes + Reverse.Nodes; }
    uint64_t TotalRays() const { return Forward.Rays + Reverse.Rays; }
};

class TEdgeRouter {
public:
    // Reads the sheet's extent from the host and the options' values.
    TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end, const TRouteOptions& options,
                TObstacleTree& tree);
    ~TEdgeRouter();
    TEdgeRouter(const TEdgeRouter&) = delete;
    TEdgeRouter& operator=(const TEdgeRouter&) = delete;

    // The found path as a new host wire whose vertex 1 is the end point and whose
    // last vertex is the start point; empty when no path was found. Call once.
    HostRef<ISch_Wire> FindPath();

    const TRouteStats& Stats() const { return stats_; }

private:
    struct State;
    TRouteStats stats_;
    std::unique_ptr<State> state_;
};

} // namespace pathwick
