#include "router/PathSearch.h"

#include "platform/system/TickCount.h"
#include "router/RouterDetail.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pathwick {

namespace {

using TCosts = std::array<int64_t, 4>;

bool AllClosed(const TCosts& costs) {
    return std::all_of(costs.begin(), costs.end(), [](int32_t c) { return c == router::NoCost; });
}

// One search from its start to its target. The Search calls in progress are
// frames on a stack of their own, so that the path's length never depends on
// the machine stack; the path to the deepest one is one pair of strings that
// grows on descent and shrinks on return.
class TDepthFirstSearch {
public:
    TDepthFirstSearch(const TSearchContext& context, const TSheetPoint& start,
                      const TSheetPoint& target, uint32_t startTick, int64_t bound)
        : context_(context), start_(start), target_(target), startTick_(startTick) {
        outcome_.Bound = bound;
    }

    TSearchOutcome Run();

private:
    // One Search call in progress: its point, cost so far, the move that
    // reached it and the directions it still has to try, cheapest first.
    struct TFrame {
        TSheetPoint P;
        int64_t C = 0;
        TDirection Incoming = TDirection::None;
        uint8_t Count = 0; // directions to try
        uint8_t Next = 0;  // the next of them
        std::array<TDirection, 4> Order{};
        uint32_t TurnsLength = 0; // turns_ of the path from the start to P
    };

    bool EndpointsRoutable();
    bool TimeLeft();
    std::optional<TEdge> GetEdge(const TSheetPoint& p, TDirection d);
    bool EnterSearch(const TSheetPoint& p, int64_t c, bool timeOk, TDirection incoming);
    TCosts RateDirections(const TSheetPoint& p, TDirection incoming);
    int64_t ProbeCost(const TSheetPoint& p, TDirection d);
    void TryMove(const TFrame& frame, TDirection d);
    int64_t StepCost(TDirection d, TDirection previous, const TSheetPoint& p, const TSheetPoint& n,
                     const TEdge& edge) const;
    TDirection PreviousDirection() const;

    const TSearchContext& context_;
    const TSheetPoint start_;
    const TSheetPoint target_;
    const uint32_t startTick_;
    std::vector<TFrame> frames_;
    std::string moves_; // one letter per move from the start
    std::string turns_; // one letter per straight segment
    TSearchOutcome outcome_;
};

// Frames are visited in the order the calls would nest: a frame tries its
// directions one at a time, and a move that is not pruned enters a new frame
// on top, which runs to its end before the next direction of the frame below
// is tried.
TSearchOutcome TDepthFirstSearch::Run() {
    context_.Tree.Target = target_;
    if (!EndpointsRoutable())
        return outcome_;
    outcome_.Ran = true;
    const bool timeOk = TimeLeft();
    EnterSearch(start_, 0, timeOk, TDirection::None);
    while (!frames_.empty()) {
        TFrame& top = frames_.back();
        if (top.Next >= top.Count) {
            frames_.pop_back();
            if (!frames_.empty()) {
                moves_.resize(frames_.size() - 1);
                turns_.resize(frames_.back().TurnsLength);
            }
            continue;
        }
        const TDirection d = top.Order[top.Next++];
        const TFrame frame = top; // a move may push a frame and move the stack
        TryMove(frame, d);
    }
    outcome_.Completed = !outcome_.StoppedByBudget;
    return outcome_;
}

bool TDepthFirstSearch::EndpointsRoutable() {
    if (!context_.Tree.Empty()) {
        // Both looked at, so that a failure can name each blocked end.
        outcome_.StartBlocked = context_.Tree.PointBlocked(start_, 0);
        outcome_.TargetBlocked = context_.Tree.PointBlocked(target_, 0);
    }
    return !outcome_.StartBlocked && !outcome_.TargetBlocked && !SamePoint(start_, target_);
}

bool TDepthFirstSearch::TimeLeft() {
    const bool left = router::WithinBudget(GetTickCount(), startTick_, context_.TimeBudget);
    if (!left)
        outcome_.StoppedByBudget = true;
    return left;
}

std::optional<TEdge> TDepthFirstSearch::GetEdge(const TSheetPoint& p, TDirection d) {
    ++outcome_.Rays;
    return router::GetEdge(context_.Tree, context_.Sheet, p, d);
}

TDirection TDepthFirstSearch::PreviousDirection() const {
    return moves_.empty() ? TDirection::None : router::DirectionOf(moves_.back());
}

int64_t TDepthFirstSearch::StepCost(TDirection d, TDirection previous, const TSheetPoint& p,
                                    const TSheetPoint& n, const TEdge& edge) const {
    return router::StepCost(d, previous, p, n, edge, target_, context_.AvoidWires,
                            context_.CostCeiling);
}

// A Search call at p up to its moves: the way-out checks of the first call,
// the time check, and the directions ranked; pushes its frame when it goes on
// to try them. moves_ and turns_ already describe the path to p.
bool TDepthFirstSearch::EnterSearch(const TSheetPoint& p, int64_t c, bool timeOk,
                                    TDirection incoming) {
    ++outcome_.Nodes;
    if (c == 0 && timeOk && AllClosed(RateDirections(p, incoming))) {
        timeOk = false;
        outcome_.NoWayOut = true;
    }
    if (c == 0 && timeOk) {
        // The search does not start when the target has no way out either,
        // rated as a search from it towards the start would see it.
        context_.Tree.Target = start_;
        if (AllClosed(RateDirections(target_, incoming))) {
            timeOk = false;
            outcome_.NoWayOut = true;
            outcome_.NoWayOutAtTarget = true;
        }
        context_.Tree.Target = target_;
    }
    if (!timeOk)
        return false;

    const std::array<int, 4> ranks = router::RankDirections(RateDirections(p, incoming));
    TFrame frame;
    frame.P = p;
    frame.C = c;
    frame.Incoming = incoming;
    frame.TurnsLength = static_cast<uint32_t>(turns_.size());
    const TDirection back = OppositeDirection(incoming);
    for (int r = 3; r >= 0; --r) {
        for (TDirection d : MoveDirections) {
            if (ranks[DirectionIndex(d)] == r && d != back)
                frame.Order[frame.Count++] = d;
        }
    }
    frames_.push_back(frame);
    outcome_.MaxDepth = std::max<uint64_t>(outcome_.MaxDepth, moves_.size());
    return true;
}

TCosts TDepthFirstSearch::RateDirections(const TSheetPoint& p, TDirection incoming) {
    TCosts costs{};
    const TDirection back = OppositeDirection(incoming);
    for (TDirection d : MoveDirections)
        costs[DirectionIndex(d)] = d == back ? router::NoCost : ProbeCost(p, d);
    return costs;
}

// What a move from p in d would cost after the path so far; NoCost when the
// move goes nowhere.
int64_t TDepthFirstSearch::ProbeCost(const TSheetPoint& p, TDirection d) {
    const std::optional<TEdge> edge = GetEdge(p, d);
    if (!edge)
        return router::NoCost;
    return StepCost(d, PreviousDirection(), p, router::FarEnd(*edge, d), *edge);
}

// Makes the move from the frame's point in d: records the path when it
// reaches the target, else goes on from where it ends unless the bound
// prunes it.
void TDepthFirstSearch::TryMove(const TFrame& frame, TDirection d) {
    const std::optional<TEdge> edge = GetEdge(frame.P, d);
    if (!edge)
        return;
    const TSheetPoint n = router::FarEnd(*edge, d);
    const char letter = router::LetterOf(d);
    const bool newSegment = turns_.empty() || turns_.back() != letter;
    const std::size_t segments = turns_.size() + (newSegment ? 1 : 0);

    if (SamePoint(n, target_)) {
        // The last move is priced as a straight continuation.
        const int64_t total = router::PathTotal(frame.C, StepCost(d, d, frame.P, n, *edge),
                                                segments, context_.CostCeiling);
        if (total > outcome_.Bound && outcome_.Best)
            return;
        outcome_.Bound = std::min(total, outcome_.Bound);
        outcome_.Best = TBestPath{moves_ + letter, total};
        return;
    }

    const int64_t reached = frame.C + StepCost(d, PreviousDirection(), frame.P, n, *edge);
    const int64_t c = router::SaturateCost(reached, context_.CostCeiling);
    if (int64_t{router::SegmentCharge} * static_cast<int64_t>(segments) + c >= outcome_.Bound)
        return; // pruned
    const bool timeOk = TimeLeft();
    moves_.push_back(letter);
    if (newSegment)
        turns_.push_back(letter);
    if (!EnterSearch(n, c, timeOk, d)) {
        moves_.pop_back();
        if (newSegment)
            turns_.pop_back();
    }
}

} // namespace

TSearchOutcome SearchPath(const TSearchContext& context, const TSheetPoint& start,
                          const TSheetPoint& target, uint32_t startTick, int64_t bound) {
    return TDepthFirstSearch(context, start, target, startTick, bound).Run();
}

} // namespace pathwick
