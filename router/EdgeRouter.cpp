#include "router/EdgeRouter.h"

#include "host/ClientLookup.h"
#include "host/HostCall.h"
#include "options/RouteOptions.h"
#include "platform/system/TickCount.h"
#include "router/PathBuilder.h"
#include "router/RouterDetail.h"

#include <algorithm>
#include <utility>

namespace pathwick {

namespace {

// Kind and mode of the host's new free-standing wire.
constexpr int32_t NewWireKind = 18;
constexpr int32_t NewWireMode = 0;

// The path construction replays the search's moves and tests its shortcuts
// on the same tree.
class TTreeRays final : public TRaySource {
public:
    TTreeRays(TObstacleTree& tree, const TBoundingRect& sheet) : tree_(tree), sheet_(sheet) {}
    std::optional<TEdge> MoveEdge(const TSheetPoint& p, TDirection d) override {
        return router::GetEdge(tree_, sheet_, p, d);
    }
    TEdge TestRun(const TSheetPoint& p, TDirection d) override {
        return tree_.CastRay(d, p, true, true, true);
    }

private:
    TObstacleTree& tree_;
    const TBoundingRect& sheet_;
};

bool AllClosed(const std::array<int32_t, 4>& costs) {
    return std::all_of(costs.begin(), costs.end(), [](int32_t c) { return c == router::NoCost; });
}

} // namespace

TEdgeRouter::TEdgeRouter(const TSheetPoint& start, const TSheetPoint& end,
                         const TRouteOptions& options, TObstacleTree& tree)
    : Tree(tree), FromPoint(start), ToPoint(end) {
    SheetRect.SetToSheet();
    StartTick = GetTickCount();
    TimeBudget = options.GetTimeOut() / 2;
    AvoidWires = options.GetAvoidWiresPosition();
}

TEdgeRouter::~TEdgeRouter() = default;

HostRef<ISch_Wire> TEdgeRouter::FindPath() {
    HostRef<ISch_Wire> result;
    PrepareTree();
    const int32_t initialBound = router::InitialBound(FromPoint, ToPoint);
    BestTotal = initialBound;
    stats_.InitialBound = initialBound;

    Moves.clear();
    Turns.clear();
    Tree.Target = ToPoint;
    if (EndpointsRoutable(stats_.Forward))
        Search(ForwardResults, stats_.Forward);

    // The reverse search has a budget of its own but keeps the forward bound.
    std::swap(FromPoint, ToPoint);
    Tree.Target = ToPoint;
    Moves.clear();
    Turns.clear();
    StartTick = GetTickCount();
    if (EndpointsRoutable(stats_.Reverse))
        Search(ReverseResults, stats_.Reverse);

    const bool reverse = router::ReverseChosen(ForwardResults, ReverseResults, initialBound);
    stats_.ReverseChosen = reverse;
    if (!reverse) {
        std::swap(FromPoint, ToPoint);
        Tree.Target = ToPoint;
    }
    const std::vector<std::string>& chosen = reverse ? ReverseResults : ForwardResults;
    if (chosen.size() == 1)
        result = BuildResult(chosen.front());
    // The forward path runs from the start; the result must begin at the end.
    if (result && !reverse)
        ReverseVertices(result.Get());
    stats_.Found = static_cast<bool>(result);
    return result;
}

HostRef<ISch_Wire> TEdgeRouter::BuildResult(const std::string& line) {
    // Without a schematic service there is nothing to make the wire with: no path.
    const HostRef<ISch_EditorService> service = FindSchematicService();
    if (!service)
        return {};
    HostRef<ISch_BasicContainer> object;
    HostCall(service->NewObject(NewWireKind, NewWireMode, object.Put()));
    HostRef<ISch_Wire> wire = QueryAs<ISch_Wire>(object);
    if (!wire)
        return {};
    Moves.assign(router::LineMoves(line));
    Turns = router::CollapseRuns(Moves);
    TTreeRays rays(Tree, SheetRect);
    BuildPolyline(wire.Get(), Turns, FromPoint, line, rays);
    return wire;
}

void TEdgeRouter::PrepareTree() {
    for (const TSheetPoint& p : {FromPoint, ToPoint}) {
        for (TDirection d = DirL; d <= DirT; ++d) {
            const TEdge run = Tree.CastRay(d, p, false, false, false);
            if (!SamePoint(run.StartPoint, run.EndPoint))
                Tree.AddGuideLine(run.StartPoint, run.EndPoint);
        }
    }
    Tree.MarkTouching(FromPoint);
    Tree.MarkTouching(ToPoint);
}

bool TEdgeRouter::EndpointsRoutable(TSearchStats& stats) const {
    if (!Tree.Empty()) {
        // Both looked at, so that a failure can name each blocked end.
        stats.FromBlocked = Tree.PointBlocked(FromPoint, 0);
        stats.ToBlocked = Tree.PointBlocked(ToPoint, 0);
    }
    return !stats.FromBlocked && !stats.ToBlocked && !SamePoint(FromPoint, ToPoint);
}

bool TEdgeRouter::TimeLeft() {
    const bool left = router::WithinBudget(GetTickCount(), StartTick, TimeBudget);
    if (!left && searchStats_)
        searchStats_->StoppedByBudget = true;
    return left;
}

std::optional<TEdge> TEdgeRouter::GetEdge(const TSheetPoint& p, TDirection d) {
    if (searchStats_)
        ++searchStats_->Rays;
    return router::GetEdge(Tree, SheetRect, p, d);
}

TDirection TEdgeRouter::PreviousDirection() const {
    return Moves.empty() ? DirNone : router::DirectionOf(Moves.back());
}

int32_t TEdgeRouter::StepCost(TDirection d, TDirection previous, const TSheetPoint& p,
                              const TSheetPoint& n, const TEdge& edge) const {
    return router::StepCost(d, previous, p, n, edge, ToPoint, AvoidWires);
}

// The depth-first search, one frame per Search call in progress, so that the
// path's length never depends on the machine stack. Frames are visited in the
// order the calls would nest: a frame tries its directions one at a time, and
// a move that is not pruned enters a new frame on top, which runs to its end
// before the next direction of the frame below is tried.
void TEdgeRouter::Search(std::vector<std::string>& results, TSearchStats& stats) {
    results_ = &results;
    searchStats_ = &stats;
    stats.Ran = true;
    frames_.clear();
    Moves.clear();
    Turns.clear();

    const bool timeOk = TimeLeft();
    EnterSearch(FromPoint, 0, timeOk, DirNone);
    while (!frames_.empty()) {
        TFrame& top = frames_.back();
        if (top.Next >= top.Count) {
            frames_.pop_back();
            if (!frames_.empty()) {
                Moves.resize(frames_.size() - 1);
                Turns.resize(frames_.back().TurnsLength);
            }
            continue;
        }
        const TDirection d = top.Order[top.Next++];
        const TFrame frame = top; // a move may push a frame and move the stack
        TryDirection(frame, d);
    }

    stats.Completed = !stats.StoppedByBudget;
    stats.Line = results.empty() ? std::string() : results.front();
    results_ = nullptr;
    searchStats_ = nullptr;
}

// Steps 1 to 4 of a Search call at p; pushes its frame when it goes on to try
// directions. Moves and Turns already describe the path to p.
bool TEdgeRouter::EnterSearch(const TSheetPoint& p, int32_t c, bool timeOk, TDirection incoming) {
    TSearchStats& stats = *searchStats_;
    ++stats.Nodes;
    if (c == 0 && timeOk && AllClosed(RateDirections(p, incoming))) {
        timeOk = false;
        stats.NoWayOut = true;
    }
    if (c == 0 && timeOk) {
        // The search does not start when the far end has no way out either.
        Tree.Target = FromPoint;
        if (AllClosed(RateDirections(ToPoint, incoming))) {
            timeOk = false;
            stats.NoWayOut = true;
            stats.NoWayOutAtTo = true;
        }
        Tree.Target = ToPoint;
    }
    if (!timeOk)
        return false;

    const std::array<int, 4> ranks = router::RankDirections(RateDirections(p, incoming));
    TFrame frame;
    frame.P = p;
    frame.C = c;
    frame.Incoming = incoming;
    frame.TurnsLength = static_cast<uint32_t>(Turns.size());
    const TDirection back = OppositeDirection(incoming);
    for (int r = 3; r >= 0; --r) {
        for (TDirection d = DirL; d <= DirT; ++d) {
            if (ranks[d] == r && d != back)
                frame.Order[frame.Count++] = d;
        }
    }
    frames_.push_back(frame);
    stats.MaxDepth = std::max<uint64_t>(stats.MaxDepth, Moves.size());
    return true;
}

TEdgeRouter::TCosts TEdgeRouter::RateDirections(const TSheetPoint& p, TDirection incoming) {
    TCosts costs{};
    const TDirection back = OppositeDirection(incoming);
    for (TDirection d = DirL; d <= DirT; ++d)
        costs[d] = d == back ? router::NoCost : TryDirection(p, d);
    return costs;
}

int32_t TEdgeRouter::TryDirection(const TSheetPoint& p, TDirection d) {
    const std::optional<TEdge> edge = GetEdge(p, d);
    if (!edge)
        return router::NoCost;
    return StepCost(d, PreviousDirection(), p, router::FarEnd(*edge, d), *edge);
}

void TEdgeRouter::TryDirection(const TFrame& frame, TDirection d) {
    const std::optional<TEdge> edge = GetEdge(frame.P, d);
    if (!edge)
        return;
    const TSheetPoint n = router::FarEnd(*edge, d);
    const char letter = router::LetterOf(d);
    const bool newSegment = Turns.empty() || Turns.back() != letter;
    const std::size_t segments = Turns.size() + (newSegment ? 1 : 0);

    if (SamePoint(n, ToPoint)) {
        // The last move is priced as a straight continuation.
        const int32_t total =
            router::PathTotal(frame.C, StepCost(d, d, frame.P, n, *edge), segments);
        if (total > BestTotal && !results_->empty())
            return;
        results_->clear();
        BestTotal = std::min(total, BestTotal);
        Moves.push_back(letter);
        results_->push_back(router::ResultLine(Moves, total));
        Moves.pop_back();
        return;
    }

    const int64_t reached = int64_t{frame.C} + StepCost(d, PreviousDirection(), frame.P, n, *edge);
    const int32_t c = router::SaturateCost(reached);
    if (int64_t{router::SegmentCharge} * static_cast<int64_t>(segments) + c >= BestTotal)
        return; // pruned
    const bool timeOk = TimeLeft();
    Moves.push_back(letter);
    if (newSegment)
        Turns.push_back(letter);
    if (!EnterSearch(n, c, timeOk, d)) {
        Moves.pop_back();
        if (newSegment)
            Turns.pop_back();
    }
}

} // namespace pathwick
