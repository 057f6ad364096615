#include "router/EdgeRouter.h"

#include "platform/system/TickCount.h"
#include "router/PathBuilder.h"
#include "router/RouterDetail.h"

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

} // namespace

TEdgeRouter::TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end,
                         const TRouterSettings& settings, TObstacleTree& tree,
                         const TBoundingRect& sheet, TWireFactory newWire,
                         const TSearchOptions& speedUps)
    : Tree(tree), Start(start), End(end), SheetRect(sheet), NewWire(std::move(newWire)),
      StartTick(GetTickCount()), TimeBudget(settings.TimeOut / 2), AvoidWires(settings.AvoidWires),
      SpeedUps(speedUps) {}

HostRef<ISch_Wire> TEdgeRouter::FindPath() {
    PrepareTree();
    const int32_t initialBound = router::InitialBound(Start, End);
    stats_.InitialBound = initialBound;

    // The reverse search has a budget of its own but is pruned by the
    // forward search's best total.
    const TSearchContext context{Tree, SheetRect, TimeBudget, AvoidWires, SpeedUps};
    stats_.Forward = SearchPath(context, Start, End, StartTick, initialBound);
    const uint32_t reverseTick = GetTickCount();
    stats_.Reverse = SearchPath(context, End, Start, reverseTick, stats_.Forward.Bound);

    const bool reverse =
        router::ReverseChosen(stats_.Forward.Best, stats_.Reverse.Best, initialBound);
    stats_.ReverseChosen = reverse;
    // The path is replayed from the chosen search's start, towards its target.
    const TSheetPoint& from = reverse ? End : Start;
    Tree.Target = reverse ? Start : End;
    const std::optional<TBestPath>& chosen = reverse ? stats_.Reverse.Best : stats_.Forward.Best;
    HostRef<ISch_Wire> result;
    if (chosen)
        result = BuildResult(*chosen, from);
    // The forward path runs from the start; the result must begin at the end.
    if (result && !reverse)
        ReverseVertices(result.Get());
    stats_.Found = static_cast<bool>(result);
    return result;
}

HostRef<ISch_Wire> TEdgeRouter::BuildResult(const TBestPath& path, const TSheetPoint& from) {
    HostRef<ISch_Wire> wire = NewWire ? NewWire() : HostRef<ISch_Wire>();
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
