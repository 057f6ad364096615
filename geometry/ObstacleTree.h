// The spatial index of everything a route must go round.
#pragma once

#include "geometry/BoundingRect.h"
#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/Obstacle.h"
#include "geometry/PinPoints.h"
#include "geometry/RayClip.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace pathwick {

// How CastRay clips: Reference offers every leaf to the per-leaf rule; Fast
// skips the subtrees that cannot change the ray and gives the same edges.
enum class TClipMethod : uint8_t { Fast, Reference };

// Which walks the tree's queries use. The defaults skip the subtrees that
// cannot matter; the others are the plain walks over every leaf that the
// fast ones must agree with, kept to compare against.
struct TTreeWalks {
    TClipMethod Clip = TClipMethod::Fast;
    // MarkTouching skips subtrees whose reach cannot hold the point.
    bool PrunedMarking = true;
};

// A tree of obstacle rectangles whose inner nodes have two children each and
// carry the union of their subtree. Its shape is fixed by insertion order (no
// balancing); obstacles are never moved or removed. All walks are iterative,
// so a list-like tree of any depth is safe, and visit low subtrees first.
class TObstacleTree {
public:
    // Empty tree over the sheet's extent (unset: rays run to 100000).
    explicit TObstacleTree(const TBoundingRect& sheet = TBoundingRect());
    ~TObstacleTree();
    TObstacleTree(const TObstacleTree&) = delete;
    TObstacleTree& operator=(const TObstacleTree&) = delete;

    // A leaf with a copy of rect (not normalised) and kind, inserted from the root.
    void AddRect(const TBoundingRect& rect, int32_t kind);

    const TObstacle* Root() const { return root_; }
    bool Empty() const { return root_ == nullptr; }
    std::size_t LeafCount() const { return leafCount_; }

    // P lies strictly inside a blocking leaf (margin deflates most kinds).
    // False on an empty tree.
    bool PointBlocked(const TSheetPoint& p, int32_t margin) const;
    // Marks every SnapKinds leaf that has p on its border; never clears a mark.
    void MarkTouching(const TSheetPoint& p);
    // The run from p in dir to the sheet's edge, clipped by the obstacles as
    // the mode says (the modes are in RayClip.h). With mends that close
    // connection points, a clipped run that would pass one (not the
    // request's own ends) stops at the grid line before it.
    TEdge CastRay(TDirection dir, const TSheetPoint& p, const TRayMode& mode);

    // Which walks CastRay and MarkTouching use; either way the results are the same.
    TTreeWalks Walks;

    // An axis-parallel segment as a guide line (kind 5). The host's objects
    // come in through sheet/SheetObstacles.h.
    void AddGuideLine(TSheetPoint a, TSheetPoint b);

    // Calls f(const TObstacle&) for every leaf in tree order (low subtree first).
    template <class F> void ForEachLeaf(F&& f) const {
        std::vector<const TObstacle*> stack;
        if (root_)
            stack.push_back(root_);
        while (!stack.empty()) {
            const TObstacle* n = stack.back();
            stack.pop_back();
            if (n->IsLeaf == 1) {
                f(*n);
            } else {
                stack.push_back(n->HighChild);
                stack.push_back(n->LowChild);
            }
        }
    }

    // The point the router is searching toward; X = -1 means no target.
    TSheetPoint Target{-1, -1};
    // The mended rules at a request's end points, set by the router only
    // for its mended pass (see TEndPointMends); null otherwise. Clipping and
    // the blocked-point test read it.
    const TEndPointMends* Mends = nullptr;
    // The connection points of the pins behind the symbol obstacles; only
    // the mended rules read them.
    TPinPoints Pins;
    // The connection points of the ports among the obstacles, by the runs
    // they are closed to; only the mended rules read them. A label is put on
    // its wire reading along it, so a run through its anchor along the way
    // it reads may be the label's own wire, and one across it never is: a
    // port reading along y is closed to runs along x, and the other way
    // round; one whose way is not clear from its box is in both.
    TPinPoints PortsAcrossX;
    TPinPoints PortsAcrossY;
    // The connection point nearest to `from` on the axis-parallel segment
    // from `from` (left out) to `to`, other than skipA and skipB: a pin's,
    // or a port's that the segment's axis is closed to.
    std::optional<TSheetPoint> FirstConnectionPoint(const TSheetPoint& from, const TSheetPoint& to,
                                                    const TSheetPoint& skipA,
                                                    const TSheetPoint& skipB) const;
    // The sheet's extent; rays run from 0 to its Right and Top.
    TBoundingRect Sheet;

private:
    // The reference clipping walk: offers every leaf, in tree order, to
    // ClipRayAtLeaf. A faster walk must give exactly its results.
    void ClipRayAllLeaves(const TRayQuery& ray, TEdge& edge);
    // The same clipping, skipping the subtrees that cannot change the edge.
    void ClipRayPruned(const TRayQuery& ray, TEdge& edge);
    // Cuts a clipped ray short of the first connection point it would pass,
    // and closes it when it starts on one closed to its axis.
    void ClosePointsAhead(const TRayQuery& ray, TEdge& edge) const;

    // An inner node with the summary that the pruned clipping reads: the
    // smallest box holding, for every leaf below that a clipping examines,
    // its rectangle and its effective rectangles under both WireExact
    // settings, each taken with its sides in either order. Leaves of the
    // sheet frame, which clipping never examines, add nothing.
    struct TInnerNode : TObstacle {
        TBoundingRect Reach{EmptyReach()};
        TInnerNode() : TObstacle(0, 0) {}
    };
    static TBoundingRect EmptyReach();
    static TBoundingRect LeafReach(const TObstacle& leaf);

    TObstacle* root_ = nullptr;
    std::size_t leafCount_ = 0;
    // Own every node. Growing a deque at its back never moves the nodes
    // already in it, so the child pointers stay valid; nodes are never removed.
    std::deque<TObstacle> leaves_;
    std::deque<TInnerNode> inners_;
    // Explicit stack of the tree walks, kept to spare an allocation per query.
    // The tree serves one caller at a time, so the walks never overlap.
    mutable std::vector<TObstacle*> walk_;
};

} // namespace pathwick
