#include "geometry/WayOut.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"
#include "geometry/RayClip.h"

#include <algorithm>
#include <vector>

namespace pathwick {

namespace {

bool IsWireKind(int32_t kind) {
    return kind == kinds::Wire || kind == kinds::Bus;
}

// Leaves that no way out looks at: the sheet frame, guide lines (they stop
// the cast ray like any search ray) and the junctions the mends leave out.
bool Passed(const TObstacle& leaf, const TEndPointMends& mends) {
    return leaf.Kind == KindSheetFrame || leaf.Kind == KindGuideLine || mends.IgnoresLeaf(leaf);
}

// The step from p in d enters the open inside of r.
bool StepEnters(const TBoundingRect& r, const TSheetPoint& p, TDirection d) {
    switch (d) {
    case TDirection::L:
        return r.Left < p.X && p.X <= r.Right && r.Bottom < p.Y && p.Y < r.Top;
    case TDirection::R:
        return r.Left <= p.X && p.X < r.Right && r.Bottom < p.Y && p.Y < r.Top;
    case TDirection::B:
        return r.Bottom < p.Y && p.Y <= r.Top && r.Left < p.X && p.X < r.Right;
    default:
        return r.Bottom <= p.Y && p.Y < r.Top && r.Left < p.X && p.X < r.Right;
    }
}

// A wire run that touches p and goes on from p in d: the step would run along it.
bool RunsAlongWire(const TBoundingRect& n, const TSheetPoint& p, TDirection d) {
    switch (d) {
    case TDirection::L:
        return n.Bottom == p.Y && n.Top == p.Y && n.Left < p.X;
    case TDirection::R:
        return n.Bottom == p.Y && n.Top == p.Y && n.Right > p.X;
    case TDirection::B:
        return n.Left == p.X && n.Right == p.X && n.Bottom < p.Y;
    default:
        return n.Left == p.X && n.Right == p.X && n.Top > p.Y;
    }
}

// The closed segment from a to b (axis-parallel) meets the closed rectangle r.
bool Meets(const TBoundingRect& r, const TSheetPoint& a, const TSheetPoint& b) {
    const int32_t loX = MinInt(a.X, b.X), hiX = MaxInt(a.X, b.X);
    const int32_t loY = MinInt(a.Y, b.Y), hiY = MaxInt(a.Y, b.Y);
    return MinInt(r.Left, r.Right) <= hiX && loX <= MaxInt(r.Left, r.Right) &&
           MinInt(r.Bottom, r.Top) <= hiY && loY <= MaxInt(r.Bottom, r.Top);
}

// The first grid line beyond p in d, as the clipping widens obstacles.
int32_t GridLineBeyond(const TSheetPoint& p, TDirection d) {
    const TBoundingRect around = SnappedToGrid(TBoundingRect(p.X, p.Y, p.X, p.Y));
    switch (d) {
    case TDirection::L:
        return around.Left;
    case TDirection::R:
        return around.Right;
    case TDirection::B:
        return around.Bottom;
    default:
        return around.Top;
    }
}

// The leaves that touch p, or nothing when one of them refuses a step from p in d.
std::optional<std::vector<const TObstacle*>> Touching(const TObstacleTree& tree,
                                                      const TEndPointMends& mends,
                                                      const TSheetPoint& p, TDirection d) {
    std::vector<const TObstacle*> touching;
    bool refused = false;
    tree.ForEachLeaf([&](const TObstacle& leaf) {
        if (refused || Passed(leaf, mends) || !leaf.Bounds.OnBorder(p))
            return;
        touching.push_back(&leaf);
        refused = IsWireKind(leaf.Kind) ? RunsAlongWire(leaf.Bounds, p, d)
                                        : StepEnters(leaf.Bounds, p, d);
    });
    if (refused)
        return std::nullopt;
    return touching;
}

// A straight run from p in d towards `limit` (a coordinate along d) that
// touches nothing but what `touching` holds, and meets no pin between its
// ends: where it ends (limit, or short of it where a search ray that
// leaves those out stops), or nothing.
std::optional<TSheetPoint> ClearRun(const TObstacleTree& tree, const TEndPointMends& mends,
                                    const std::vector<const TObstacle*>& touching,
                                    const TSheetPoint& p, TDirection d, int32_t limit) {
    const auto touches = [&](const TObstacle& leaf) {
        return std::find(touching.begin(), touching.end(), &leaf) != touching.end();
    };
    const bool horizontal = d == TDirection::L || d == TDirection::R;
    const bool decreasing = d == TDirection::L || d == TDirection::B;
    const TRayQuery ray{d, p, false, false, tree.Target, tree.Mends};
    TSheetPoint sheetEnd = p;
    (horizontal ? sheetEnd.X : sheetEnd.Y) = d == TDirection::R   ? tree.Sheet.Right
                                             : d == TDirection::T ? tree.Sheet.Top
                                                                  : 0;
    TEdge open = d == TDirection::L || d == TDirection::T ? TEdge(sheetEnd, p) : TEdge(p, sheetEnd);
    tree.ForEachLeaf([&](const TObstacle& leaf) {
        if (!touches(leaf))
            ClipRayAtLeaf(leaf, ray, open);
    });
    const int32_t reached = RayFarEnd(open, d);
    TSheetPoint q = p;
    int32_t& far = horizontal ? q.X : q.Y;
    far = decreasing ? MaxInt(reached, limit) : MinInt(reached, limit);
    if (SamePoint(p, q) || tree.Pins.AnyBetween(p, q))
        return std::nullopt;
    bool clear = true;
    tree.ForEachLeaf([&](const TObstacle& leaf) {
        if (clear && !Passed(leaf, mends) && !touches(leaf) && Meets(leaf.Bounds, p, q))
            clear = false;
    });
    if (!clear)
        return std::nullopt;
    return q;
}

const TEndPointMends& MendsOf(const TObstacleTree& tree) {
    static const TEndPointMends None;
    return tree.Mends ? *tree.Mends : None;
}

} // namespace

std::optional<TSheetPoint> WayOutStep(const TObstacleTree& tree, const TSheetPoint& p,
                                      TDirection d) {
    if (!IsMoveDirection(d))
        return std::nullopt;
    const TEndPointMends& mends = MendsOf(tree);
    const std::optional<std::vector<const TObstacle*>> touching = Touching(tree, mends, p, d);
    if (!touching || touching->empty())
        return std::nullopt;
    const std::optional<TSheetPoint> q =
        ClearRun(tree, mends, *touching, p, d, GridLineBeyond(p, d));
    // The step's end is no pin either.
    if (q && tree.Pins.Contains(*q))
        return std::nullopt;
    return q;
}

bool StraightRunClear(const TObstacleTree& tree, const TSheetPoint& a, const TSheetPoint& b) {
    if (SamePoint(a, b) || (a.X != b.X && a.Y != b.Y))
        return false;
    const TDirection d = a.X == b.X ? (b.Y < a.Y ? TDirection::B : TDirection::T)
                                    : (b.X < a.X ? TDirection::L : TDirection::R);
    const TEndPointMends& mends = MendsOf(tree);
    std::optional<std::vector<const TObstacle*>> touching = Touching(tree, mends, a, d);
    const std::optional<std::vector<const TObstacle*>> atB =
        Touching(tree, mends, b, OppositeDirection(d));
    if (!touching || !atB)
        return false;
    touching->insert(touching->end(), atB->begin(), atB->end());
    const int32_t limit = d == TDirection::L || d == TDirection::R ? b.X : b.Y;
    const std::optional<TSheetPoint> q = ClearRun(tree, mends, *touching, a, d, limit);
    return q && SamePoint(*q, b);
}

} // namespace pathwick
