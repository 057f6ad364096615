#include "router/PathSearch.h"

#include "platform/system/TickCount.h"
#include "router/RouterDetail.h"
#include "router/StateTable.h"
#include "router/VisitTable.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pathwick {

namespace {

using TCosts = std::array<int64_t, 4>;

bool AllClosed(const TCosts& costs) {
    return std::all_of(costs.begin(), costs.end(), [](int64_t c) { return c == router::NoCost; });
}

// The four probes from one point: each direction's cost (NoCost when the move
// goes nowhere) and the edge its ray found.
struct TRating {
    TCosts Costs{};
    std::array<TEdge, 4> Edges{};
};

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
    // reached it and the directions it still has to try, cheapest first,
    // with the edges their probes found.
    struct TFrame {
        TSheetPoint P;
        int64_t C = 0;
        TDirection Incoming = TDirection::None;
        uint8_t Count = 0; // directions to try
        uint8_t Next = 0;  // the next of them
        std::array<TDirection, 4> Order{};
        uint32_t TurnsLength = 0; // turns_ of the path from the start to P
        uint64_t StopsBefore = 0; // clock stops of the search when the call began
        // The least cost at which a way on from P was cut below this call so
        // far: by the bound, at the target, or at a state proven dead.
        int64_t Frontier = TVisitTable::Unreachable;
        std::array<TEdge, 4> Probes{};

        // The cost so far: the step costs plus 100 per segment.
        int64_t CostSoFar() const {
            return C + int64_t{router::SegmentCharge} * int64_t{TurnsLength};
        }
    };

    bool EndpointsRoutable();
    bool TimeLeft();
    std::optional<TEdge> GetEdge(const TSheetPoint& p, TDirection d);
    bool EnterSearch(const TSheetPoint& p, int64_t c, bool timeOk, TDirection incoming);
    void LeaveSearch(const TFrame& frame);
    TRating RateDirections(const TSheetPoint& p, TDirection incoming);
    int64_t ProbeCost(const TSheetPoint& p, TDirection d, TEdge& edge);
    int64_t TryMove(const TFrame& frame, TDirection d);
    int64_t StepCost(TDirection d, TDirection previous, const TSheetPoint& p, const TSheetPoint& n,
                     const TEdge& edge) const;
    TDirection PreviousDirection() const;

    const TSearchContext& context_;
    const TSheetPoint start_;
    const TSheetPoint target_;
    const uint32_t startTick_;
    std::vector<TFrame> frames_;
    std::string moves_;  // one letter per move from the start
    std::string turns_;  // one letter per straight segment
    uint64_t stops_ = 0; // times TimeLeft found the budget spent
    TVisitTable explored_;
    // Every ray cast while the Target is target_, by point and direction.
    TStateTable<std::optional<TEdge>> rays_;
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
            LeaveSearch(top);
            const int64_t frontier = top.Frontier;
            frames_.pop_back();
            if (!frames_.empty()) {
                frames_.back().Frontier = std::min(frames_.back().Frontier, frontier);
                moves_.resize(frames_.size() - 1);
                turns_.resize(frames_.back().TurnsLength);
            }
            continue;
        }
        const TDirection d = top.Order[top.Next++];
        const std::size_t at = frames_.size() - 1;
        const TFrame frame = top; // a move may push a frame and move the stack
        const int64_t cut = TryMove(frame, d);
        frames_[at].Frontier = std::min(frames_[at].Frontier, cut);
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
    if (!left) {
        outcome_.StoppedByBudget = true;
        ++stops_;
    }
    return left;
}

// A ray depends on its point, its direction and mode, the tree's leaves and
// marks, its Target and the sheet. During a search nothing adds leaves or
// marks (the router lays its guide lines and marks before searching) and the
// sheet is fixed, so a ray cast while the Target is this search's target
// gives the same edge whenever it is cast again. Only the rating of the
// target at the start, made with the Target set to the start, is not kept.
std::optional<TEdge> TDepthFirstSearch::GetEdge(const TSheetPoint& p, TDirection d) {
    const bool remember = context_.Options.RememberRays && SamePoint(context_.Tree.Target, target_);
    if (remember) {
        if (const std::optional<TEdge>* kept = rays_.Find(p, d))
            return *kept;
    }
    ++outcome_.Rays;
    const std::optional<TEdge> edge = router::GetEdge(context_.Tree, context_.Sheet, p, d);
    if (remember)
        rays_.Insert(p, d, edge);
    return edge;
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
    std::optional<TRating> first; // the start's own rating, when it was made
    if (c == 0 && timeOk) {
        first = RateDirections(p, incoming);
        if (AllClosed(first->Costs)) {
            timeOk = false;
            outcome_.NoWayOut = true;
        }
    }
    if (c == 0 && timeOk) {
        // The search does not start when the target has no way out either,
        // rated as a search from it towards the start would see it.
        context_.Tree.Target = start_;
        if (AllClosed(RateDirections(target_, incoming).Costs)) {
            timeOk = false;
            outcome_.NoWayOut = true;
            outcome_.NoWayOutAtTarget = true;
        }
        context_.Tree.Target = target_;
    }
    if (!timeOk)
        return false;

    // The start's first rating was made with the same Target on the same
    // tree as this one would be, so it is the same rating.
    const TRating rating =
        first && context_.Options.ReuseProbeRays ? *first : RateDirections(p, incoming);
    const std::array<int, 4> ranks = router::RankDirections(rating.Costs);
    TFrame frame;
    frame.P = p;
    frame.C = c;
    frame.Incoming = incoming;
    frame.TurnsLength = static_cast<uint32_t>(turns_.size());
    frame.StopsBefore = stops_;
    frame.Probes = rating.Edges;
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

// A Search call has tried all its directions. Unless the clock stopped the
// search somewhere below it, its whole subtree has been explored, and every
// way on from its state is cut at a cost of at least its frontier.
//
// Why a later visit of such a state can be skipped when its cost so far plus
// the proven cost to go exceeds the bound. A visit is a Search call at a
// state s (point and incoming direction) with cost so far K (step costs plus
// 100 per segment). What happens below it depends on s, K, the bound, whether
// a best path exists, and the clock, and on nothing else of the path that led
// to s: the previous direction of every probe at s is the incoming one; each
// move's edge depends on the point and direction only (the tree and Target
// stay fixed during a search); a move in d adds g(s, d) = its step cost + 100
// when it starts a segment, and the final move's total is K + g as well
// (priced straight); a branch is pruned when its K + g reaches the bound. The
// moves' letters only make up the line recorded. So a completion pi of s
// (moves that never reverse, each going somewhere, the last one reaching the
// target) has a weight W(pi), as has each of its prefixes, and g >= 0. Costs
// that saturate at INT32_MAX lie above every bound (at most 1 200 000 000),
// so they are pruned or not recorded just as their exact values would be, and
// a saturated value is never above the exact one.
//
// Call D a cost to go of s when every completion pi of s has a prefix p with
// W(p) >= D, and a best path exists whenever that prefix has to be pi itself.
// A visit of s at K with K + D > bound is dead: each completion is pruned at
// p, or reaches the target at a total above the bound with a best path
// present. It records nothing and leaves the bound and the best path alone,
// so skipping it changes nothing else the search does (the clock aside). The
// bound only falls and a best path stays, so this holds at any later time.
//
// Now let a visit V1 of s at K1 explore its whole subtree. Follow any
// completion pi through it: every call there tried all its directions (the
// clock never stopped), and each move of pi was either final (its total
// K1 + W(pi) enters the frontier; recorded or not, a best path exists from
// then on), or pruned by the bound (K1 + W(p) enters it), or skipped at a
// state n at cost K' with cost to go D' (K' + D' enters it: by induction over
// the skips in time order D' was proven, so the rest of pi from n has a
// prefix of weight >= D'), or entered, and we follow on. So the frontier F1,
// the least value entered, is at most K1 + W(p) for some prefix p of every
// completion: F1 - K1 is a cost to go of s (with no value entered, no
// completion exists at all). Every value entered reached the bound at its
// time, so F1 - K1 > B - K for a later visit at K whenever K > K1: revisits
// at a strictly higher cost so far are always skipped, and cheaper ones as
// long as the frontier overshot the bound by more than they save. Equal
// totals are never skipped: a completion at exactly the bound is not dead,
// as an equal total replaces the recorded path. A subtree cut short by the
// clock proves nothing and is not recorded; a visit is recorded only once it
// has ended, so it never prunes its own subtree.
void TDepthFirstSearch::LeaveSearch(const TFrame& frame) {
    if (!context_.Options.PruneRevisits || stops_ != frame.StopsBefore)
        return;
    const int64_t toGo = frame.Frontier == TVisitTable::Unreachable
                             ? TVisitTable::Unreachable
                             : frame.Frontier - frame.CostSoFar();
    explored_.Raise(frame.P, frame.Incoming, toGo);
}

TRating TDepthFirstSearch::RateDirections(const TSheetPoint& p, TDirection incoming) {
    TRating rating;
    const TDirection back = OppositeDirection(incoming);
    for (TDirection d : MoveDirections) {
        const std::size_t i = DirectionIndex(d);
        rating.Costs[i] = d == back ? router::NoCost : ProbeCost(p, d, rating.Edges[i]);
    }
    return rating;
}

// What a move from p in d would cost after the path so far; NoCost when the
// move goes nowhere. The edge the ray found goes into edge.
int64_t TDepthFirstSearch::ProbeCost(const TSheetPoint& p, TDirection d, TEdge& edge) {
    const std::optional<TEdge> found = GetEdge(p, d);
    if (!found)
        return router::NoCost;
    edge = *found;
    return StepCost(d, PreviousDirection(), p, router::FarEnd(edge, d), edge);
}

// Makes the move from the frame's point in d: records the path when it
// reaches the target, else goes on from where it ends unless the bound or a
// dead state prunes it. Returns where the move cut the way on, for the
// frame's frontier: the total at the target, the cost that reached the bound,
// or the cost plus the dead state's cost to go; Unreachable when it went on
// (the new call reports its own frontier) or went nowhere.
//
// Reusing the probe's edge: the probe of d at the frame's point and this move
// cast the same ray (point, direction, search mode), and nothing the ray
// reads changes in between (see GetEdge): the tree's Target is target_ at
// both, as it is set to start_ only around the start's rating of the target,
// before the rating the frame keeps. Moves of directions tried earlier run
// deeper Search calls, which only probe and move. So the move's edge is the
// probe's.
int64_t TDepthFirstSearch::TryMove(const TFrame& frame, TDirection d) {
    std::optional<TEdge> edge;
    if (context_.Options.ReuseProbeRays)
        edge = frame.Probes[DirectionIndex(d)]; // d was ranked, so its probe found an edge
    else
        edge = GetEdge(frame.P, d);
    if (!edge)
        return TVisitTable::Unreachable;
    const TSheetPoint n = router::FarEnd(*edge, d);
    const char letter = router::LetterOf(d);
    const bool newSegment = turns_.empty() || turns_.back() != letter;
    const std::size_t segments = turns_.size() + (newSegment ? 1 : 0);

    if (SamePoint(n, target_)) {
        // The last move is priced as a straight continuation.
        const int64_t total = router::PathTotal(frame.C, StepCost(d, d, frame.P, n, *edge),
                                                segments, context_.CostCeiling);
        if (total <= outcome_.Bound || !outcome_.Best) {
            outcome_.Bound = std::min(total, outcome_.Bound);
            outcome_.Best = TBestPath{moves_ + letter, total};
        }
        return total;
    }

    const int64_t reached = frame.C + StepCost(d, PreviousDirection(), frame.P, n, *edge);
    const int64_t c = router::SaturateCost(reached, context_.CostCeiling);
    const int64_t costSoFar = int64_t{router::SegmentCharge} * static_cast<int64_t>(segments) + c;
    if (costSoFar >= outcome_.Bound)
        return costSoFar; // pruned
    if (context_.Options.PruneRevisits) {
        // A dead state (see LeaveSearch): it cannot record anything.
        const int64_t toGo = explored_.ToGo(n, d);
        if (toGo != TVisitTable::Unknown && toGo > outcome_.Bound - costSoFar) {
            ++outcome_.RevisitsPruned;
            return toGo == TVisitTable::Unreachable ? toGo : costSoFar + toGo;
        }
    }
    const bool timeOk = TimeLeft();
    moves_.push_back(letter);
    if (newSegment)
        turns_.push_back(letter);
    if (!EnterSearch(n, c, timeOk, d)) {
        moves_.pop_back();
        if (newSegment)
            turns_.pop_back();
    }
    return TVisitTable::Unreachable;
}

} // namespace

TSearchOutcome SearchPath(const TSearchContext& context, const TSheetPoint& start,
                          const TSheetPoint& target, uint32_t startTick, int64_t bound) {
    return TDepthFirstSearch(context, start, target, startTick, bound).Run();
}

} // namespace pathwick
