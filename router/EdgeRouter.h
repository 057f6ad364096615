// Finds an orthogonal path for one wire segment round the obstacles of the tree.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/ObstacleTree.h"
#include "host/HostRef.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pathwick {

class TRouteOptions;

// What one search did; read-only extras that change nothing.
struct TSearchStats {
    bool Ran = false;             // both end points were routable and the search started
    bool Completed = false;       // ran to its end without the time budget stopping it
    bool StoppedByBudget = false; // a Search call found the budget spent
    bool NoWayOut = false;        // an end point had no direction to leave by
    bool NoWayOutAtTo = false;    // with NoWayOut: it was the search's end, not its start
    bool FromBlocked = false;     // the search's start lies inside an obstacle: no search
    bool ToBlocked = false;       // the search's end does
    uint64_t Nodes = 0;           // Search calls
    uint64_t Rays = 0;            // clipped rays cast (probes and moves)
    uint64_t MaxDepth = 0;        // most moves on the path being explored
    std::string Line;             // the best result line, empty when none
};

struct TRouteStats {
    TSearchStats Forward;
    TSearchStats Reverse;
    int32_t InitialBound = 0;
    bool ReverseChosen = false;
    bool Found = false;
    uint64_t TotalNodes() const { return Forward.Nodes + Reverse.Nodes; }
    uint64_t TotalRays() const { return Forward.Rays + Reverse.Rays; }
};

// One router per routing request: construct, FindPath once, destroy. It runs a
// time-bounded depth-first branch-and-bound search from the start to the end
// and one from the end to the start, keeps the cheaper line of moves, and
// builds it into a new host wire. Guide lines, touched marks and the tree's
// Target that it writes stay in the tree.
class TEdgeRouter {
public:
    // Reads the sheet's extent from the host (raises on a failing host call)
    // and the options' time-out and wire weight; the forward search's time
    // budget starts here.
    TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end, const TRouteOptions& options,
                TObstacleTree& tree);
    ~TEdgeRouter();
    TEdgeRouter(const TEdgeRouter&) = delete;
    TEdgeRouter& operator=(const TEdgeRouter&) = delete;

    // The found path as a new host wire whose vertex 1 is the end point and whose
    // last vertex is the start point; empty when no path was found. Call once.
    HostRef<ISch_Wire> FindPath();

    const TRouteStats& Stats() const { return stats_; }
    int32_t GetTimeBudget() const { return TimeBudget; }
    int32_t GetBestTotal() const { return BestTotal; }
    const std::vector<std::string>& GetForwardResults() const { return ForwardResults; }
    const std::vector<std::string>& GetReverseResults() const { return ReverseResults; }

private:
    // One Search call in progress: its point, cost so far, the move that
    // reached it and the directions it still has to try, cheapest first.
    struct TFrame {
        TSheetPoint P;
        int32_t C = 0;
        TDirection Incoming = DirNone;
        uint8_t Count = 0; // directions to try
        uint8_t Next = 0;  // the next of them
        std::array<TDirection, 4> Order{};
        uint32_t TurnsLength = 0; // Turns of the path from FromPoint to P
    };
    using TCosts = std::array<int32_t, 4>;

    void PrepareTree();
    bool EndpointsRoutable(TSearchStats& stats) const;
    bool TimeLeft();
    std::optional<TEdge> GetEdge(const TSheetPoint& p, TDirection d);
    void Search(std::vector<std::string>& results, TSearchStats& stats);
    bool EnterSearch(const TSheetPoint& p, int32_t c, bool timeOk, TDirection incoming);
    TCosts RateDirections(const TSheetPoint& p, TDirection incoming);
    int32_t TryDirection(const TSheetPoint& p, TDirection d); // the probe form
    void TryDirection(const TFrame& frame, TDirection d);     // the move form
    int32_t StepCost(TDirection d, TDirection previous, const TSheetPoint& p, const TSheetPoint& n,
                     const TEdge& edge) const;
    TDirection PreviousDirection() const;
    HostRef<ISch_Wire> BuildResult(const std::string& line);

    TObstacleTree& Tree;
    TSheetPoint FromPoint;
    TSheetPoint ToPoint;
    TBoundingRect SheetRect;
    uint32_t StartTick = 0;
    int32_t TimeBudget = 0;
    std::vector<std::string> ForwardResults; // at most one line
    std::vector<std::string> ReverseResults; // at most one line
    int32_t BestTotal = 0;
    int32_t AvoidWires = 0;

    // Working state of the running search: the frames of the Search calls in
    // progress, and the path to the deepest one as one shared pair of strings
    // that grows on descent and shrinks on return.
    std::vector<TFrame> frames_;
    std::string Moves;
    std::string Turns;
    std::vector<std::string>* results_ = nullptr;
    TSearchStats* searchStats_ = nullptr;
    TRouteStats stats_;
};

} // namespace pathwick
