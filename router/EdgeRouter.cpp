#include "router/EdgeRouter.h"

#include "geometry/EndPointMends.h"
#include "geometry/WayOut.h"
#include "host/PolygonAccess.h"
#include "platform/system/TickCount.h"
#include "router/PathBuilder.h"
#include "router/RouterDetail.h"
#include "router/WayOutEnds.h"

#include <algorithm>
#include <utility>

namespace pathwick {

namespace {

// The path construction replays the search's moves and tests its shortcuts
// on the same tree.
class TTreeRays final : public TRaySource {
public:
    TTreeRays(TObstacleTree& tree, const TBoundingRect& sheet) : tree_(tree), sheet_(sheet) {}
    std::optional<TEdge> MoveEdge(const TSheetPoint& p, TDirection d) override {
        return router::GetEdge(tree_, sheet_, p, d);
    }
    TEdge TestRun(const TSheetPoint& p, TDirection d) override {
        return tree_.CastRay(d, p, ShortcutTestRay);
    }

private:
    TObstacleTree& tree_;
    const TBoundingRect& sheet_;
};

// The mended pass's rules in the tree for as long as the pass runs, the
// replay of its path included; taken out again however the pass ends.
class TMendsInTree {
public:
    TMendsInTree(TObstacleTree& tree, const TEndPointMends& mends) : tree_(tree) {
        tree_.Mends = &mends;
    }
    ~TMendsInTree() { tree_.Mends = nullptr; }
    TMendsInTree(const TMendsInTree&) = delete;
    TMendsInTree& operator=(const TMendsInTree&) = delete;

private:
    TObstacleTree& tree_;
};

} // namespace

TEdgeRouter::TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end,
                         const TRouterSettings& settings, TObstacleTree& tree,
                         const TBoundingRect& sheet, TWireFactory newWire,
                         const TSearchOptions& speedUps)
    : Tree(tree), Start(start), End(end), SheetRect(sheet), newWire_(std::move(newWire)),
      StartTick(GetTickCount()), TimeOut(settings.TimeOut), TimeBudget(settings.TimeOut / 2),
      AvoidWires(settings.AvoidWires), rules_(settings.Rules), speedUps_(speedUps) {}

THostRef<ISch_Wire> TEdgeRouter::FindPath() {
    PrepareTree();
    const int32_t initialBound = router::InitialBound(Start, End);
    stats_.InitialBound = initialBound;
    const TSearchContext context{Tree, SheetRect, TimeBudget, AvoidWires, speedUps_};
    const bool found = RunSearches(context, Start, End, StartTick, initialBound);
    if (!rules_.AnyMend())
        return Finish(Start, End);
    if (!found)
        return RunMendedPass();
    THostRef<ISch_Wire> result = Finish(Start, End);
    if (!result || !rules_.KeepOffConnectionPoints || !RunsThroughConnectionPoint(result.Get()))
        return result;
    // A path of the rules as they stand that would connect another net:
    // dropped, and searched for again as when the first pass finds nothing.
    firstDropped_ = true;
    return RunMendedPass();
}

bool TEdgeRouter::RunsThroughConnectionPoint(ISch_Wire* path) const {
    const std::vector<TSheetPoint> points = Vertices(path);
    // Each run both ways: a point at a corner counts for both its runs.
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        if (Tree.FirstConnectionPoint(points[i], points[i + 1], Start, End) ||
            Tree.FirstConnectionPoint(points[i + 1], points[i], Start, End))
            return true;
    // A one-vertex path has no run; its one point is a request's end.
    return false;
}

// Nothing, when the first pass's own path was dropped; else the first pass's
// result as it stands.
THostRef<ISch_Wire> TEdgeRouter::FirstPassResult() {
    if (!firstDropped_)
        return Finish(Start, End);
    stats_.Found = false;
    return {};
}

bool TEdgeRouter::RunSearches(const TSearchContext& context, const TSheetPoint& from,
                              const TSheetPoint& to, uint32_t forwardTick, int64_t bound) {
    // The reverse search has a budget of its own but is pruned by the
    // forward search's best total.
    stats_.Forward = SearchPath(context, from, to, forwardTick, bound);
    const uint32_t reverseTick = GetTickCount();
    stats_.Reverse = SearchPath(context, to, from, reverseTick, stats_.Forward.Bound);
    stats_.ReverseChosen = router::ReverseChosen(stats_.Forward.Best, stats_.Reverse.Best, bound);
    return (stats_.ReverseChosen ? stats_.Reverse.Best : stats_.Forward.Best).has_value();
}

// The rules as they stand found nothing, or a path through another
// connection point. The mends: junctions round the end points left out, a
// boxed-in end point searched from the end of its way-out step, the
// long-connection bound, rays stopped short of other connection points; the
// pass runs only when one of them changes something, or the first pass's
// path was dropped, within what is left of the time-out.
THostRef<ISch_Wire> TEdgeRouter::RunMendedPass() {
    // A search the clock stopped leaves no time, and no path to be sure of.
    if (stats_.Forward.StoppedByBudget || stats_.Reverse.StoppedByBudget)
        return FirstPassResult();
    TEndPointMends mends;
    mends.Ends[0] = Start;
    mends.Ends[1] = End;
    mends.OpenJunctions = rules_.OpenJunctionEnds;
    mends.ClosePoints = rules_.KeepOffConnectionPoints;
    const TMendsInTree scope(Tree, mends);

    TSheetPoint from = Start;
    TSheetPoint to = End;
    if (rules_.PinWayOut && StraightRunClear(Tree, Start, End)) {
        // The straight run a person draws between the two: the ends meet.
        from = End;
    } else if (rules_.PinWayOut) {
        from = SearchEndFor(Tree, SheetRect, Start, End);
        to = SearchEndFor(Tree, SheetRect, End, Start);
    }
    const int64_t strictBound = stats_.InitialBound;
    const int64_t bound = rules_.LongBound ? router::LongInitialBound(from, to) : strictBound;
    const bool sameEnds = SamePoint(from, Start) && SamePoint(to, End);
    if (!firstDropped_ && sameEnds && bound <= strictBound && !mends.ChangesAnything(Tree))
        return Finish(Start, End); // the pass would only repeat the first
    stats_.MendedPass = true;
    stats_.InitialBound = bound;

    THostRef<ISch_Wire> result;
    if (SamePoint(from, to)) {
        // The two way-out steps meet, or one ends on the other end point.
        result = newWire_ ? newWire_() : THostRef<ISch_Wire>();
        if (result)
            WriteVertices(result.Get(), Straightened({End, to, Start}));
    } else {
        // What is left of the time-out, shared by the two searches.
        const uint32_t now = GetTickCount();
        const int64_t left = int64_t{TimeOut} - static_cast<int32_t>(now - StartTick);
        TSearchContext context{Tree, SheetRect,
                               static_cast<int32_t>(std::max<int64_t>(left, 0) / 2), AvoidWires,
                               speedUps_};
        if (rules_.LongBound)
            context.CostCeiling = LongCostCeiling;
        RunSearches(context, from, to, now, bound);
        result = Finish(from, to);
        if (result && !sameEnds) {
            std::vector<TSheetPoint> points{End};
            for (const TSheetPoint& p : Vertices(result.Get()))
                points.push_back(p);
            points.push_back(Start);
            WriteVertices(result.Get(), Straightened(points));
        }
    }
    // A way-out step or the straight run can still pass a connection
    // point the rays did not see: no path rather than a false connection.
    if (result && rules_.KeepOffConnectionPoints && RunsThroughConnectionPoint(result.Get()))
        result.Reset();
    // The Target as a request between its own ends leaves it.
    Tree.Target = stats_.ReverseChosen ? Start : End;
    stats_.Found = static_cast<bool>(result);
    stats_.FoundByMends = stats_.Found;
    return result;
}

THostRef<ISch_Wire> TEdgeRouter::Finish(const TSheetPoint& from, const TSheetPoint& to) {
    const bool reverse = stats_.ReverseChosen;
    // The path is replayed from the chosen search's start, towards its target.
    Tree.Target = reverse ? from : to;
    const std::optional<TBestPath>& chosen = reverse ? stats_.Reverse.Best : stats_.Forward.Best;
    THostRef<ISch_Wire> result;
    if (chosen)
        result = BuildResult(*chosen, reverse ? to : from);
    // The forward path runs from `from`; the result must begin at `to`.
    if (result && !reverse)
        ReverseVertices(result.Get());
    stats_.Found = static_cast<bool>(result);
    return result;
}

THostRef<ISch_Wire> TEdgeRouter::BuildResult(const TBestPath& path, const TSheetPoint& from) {
    THostRef<ISch_Wire> wire = newWire_ ? newWire_() : THostRef<ISch_Wire>();
    if (!wire)
        return {};
    TTreeRays rays(Tree, SheetRect);
    BuildPolyline(wire.Get(), router::CollapseRuns(path.Moves), from, path.Text(), rays);
    return wire;
}

void TEdgeRouter::PrepareTree() {
    for (const TSheetPoint& p : {Start, End}) {
        for (TDirection d : MoveDirections) {
            const TEdge run = Tree.CastRay(d, p, UnclippedRay);
            if (!SamePoint(run.StartPoint, run.EndPoint))
                Tree.AddGuideLine(run.StartPoint, run.EndPoint);
        }
    }
    Tree.MarkTouching(Start);
    Tree.MarkTouching(End);
}

} // namespace pathwick
