#include "geometry/ObstacleTree.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/RayClip.h"

#include <cstdlib>
#include <limits>

namespace pathwick {

static_assert(sizeof(void*) != 8 || sizeof(TObstacle) == 40,
              "a tree node should stay at 40 bytes on 64-bit targets");
static_assert(!InKindSet(SnapKinds, KindSheetFrame),
              "the pruned marking relies on the sheet frame never being marked");

namespace {

// Coordinate number a of a rectangle: 0 Left, 1 Bottom, 2 Right, 3 Top.
int32_t Coord(const TBoundingRect& r, int a) {
    switch (a) {
    case 0:
        return r.Left;
    case 1:
        return r.Bottom;
    case 2:
        return r.Right;
    default:
        return r.Top;
    }
}

// Grows box to cover r (both taken as they are, unset or not).
void Grow(TBoundingRect& box, const TBoundingRect& r) {
    box.Left = MinInt(r.Left, box.Left);
    box.Bottom = MinInt(r.Bottom, box.Bottom);
    box.Right = MaxInt(r.Right, box.Right);
    box.Top = MaxInt(r.Top, box.Top);
}

// Grows a reach box to cover r with its sides taken in either order.
void GrowReach(TBoundingRect& reach, const TBoundingRect& r) {
    reach.Left = MinInt(reach.Left, MinInt(r.Left, r.Right));
    reach.Right = MaxInt(reach.Right, MaxInt(r.Left, r.Right));
    reach.Bottom = MinInt(reach.Bottom, MinInt(r.Bottom, r.Top));
    reach.Top = MaxInt(reach.Top, MaxInt(r.Bottom, r.Top));
}

} // namespace

TObstacleTree::TObstacleTree(const TBoundingRect& sheet) : Sheet(sheet) {}

// The nodes live in leaves_ and inners_, so no walk is needed to free them.
TObstacleTree::~TObstacleTree() = default;

TBoundingRect TObstacleTree::EmptyReach() {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    return TBoundingRect(hi, hi, lo, lo); // holds no value on either axis
}

// Every coordinate that the clipping rules read of a leaf: its rectangle
// (the target shortcut, the marked rule, kind 15's crossing test, wire runs
// with WireExact) and, for the snapping kinds, its grid-expanded rectangle.
// The sheet frame is never examined and reaches nothing.
TBoundingRect TObstacleTree::LeafReach(const TObstacle& leaf) {
    TBoundingRect reach = EmptyReach();
    if (leaf.Kind == KindSheetFrame)
        return reach;
    GrowReach(reach, leaf.Bounds);
    if (InKindSet(SnapKinds, leaf.Kind)) {
        GrowReach(reach, SnappedToGrid(leaf.Bounds));
    }
    return reach;
}

// Descends from the root, one axis further at each level. An inner node's box
// is grown on the way down: the union does not depend on when it is taken, and
// the comparisons only read the boxes of the nodes below the current one.
void TObstacleTree::AddRect(const TBoundingRect& rect, int32_t kind) {
    TObstacle* leaf = &leaves_.emplace_back(uint8_t{1}, kind);
    leaf->Bounds.Assign(rect);
    const TBoundingRect& nb = leaf->Bounds;
    const TBoundingRect reach = LeafReach(*leaf);

    TObstacle** slot = &root_;
    int axis = 0;
    while (*slot && (*slot)->IsLeaf != 1) {
        TObstacle* inner = *slot;
        const bool low = Coord(nb, axis) < Coord(inner->HighChild->Bounds, axis);
        Grow(inner->Bounds, nb);
        GrowReach(static_cast<TInnerNode*>(inner)->Reach, reach);
        slot = low ? &inner->LowChild : &inner->HighChild;
        axis = axis == 3 ? 0 : axis + 1;
    }
    if (*slot) {
        TObstacle* old = *slot;
        TInnerNode* inner = &inners_.emplace_back();
        if (Coord(old->Bounds, axis) < Coord(nb, axis)) {
            inner->LowChild = old;
            inner->HighChild = leaf;
        } else {
            inner->LowChild = leaf;
            inner->HighChild = old;
        }
        inner->Bounds = old->Bounds.UnionWith(nb);
        inner->Reach = LeafReach(*old);
        GrowReach(inner->Reach, reach);
        *slot = inner;
    } else {
        *slot = leaf;
    }
    ++leafCount_;
}

void TObstacleTree::AddGuideLine(TSheetPoint a, TSheetPoint b) {
    OrderEndPoints(a, b);
    TBoundingRect r;
    r.Left = a.X;
    r.Top = a.Y;
    r.Right = b.X;
    r.Bottom = b.Y;
    AddRect(r, KindGuideLine);
}

bool TObstacleTree::PointBlocked(const TSheetPoint& p, int32_t margin) const {
    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    while (!walk_.empty()) {
        const TObstacle* n = walk_.back();
        walk_.pop_back();
        TBoundingRect e = n->Bounds;
        if (!InKindSet(MarginExemptKinds, n->Kind))
            e = n->Bounds.Deflated(margin);
        else if (n->Kind == kinds::CableType)
            e = n->Bounds.Deflated(1);
        if (!e.ContainsPoint(p) || e.OnBorder(p))
            continue;
        if (Mends && Mends->IgnoresLeaf(*n))
            continue;
        if (n->IsLeaf == 1) {
            if (n->Kind != kinds::Wire && n->Kind != kinds::Bus && n->Kind != KindSheetFrame)
                return true;
        } else {
            walk_.push_back(n->HighChild);
            walk_.push_back(n->LowChild);
        }
    }
    return false;
}

// A leaf has p on its border only when p lies within the leaf's rectangle
// taken with its sides in either order, and an inner node's reach holds those
// of every leaf below it that can be marked (the sheet frame, which adds
// nothing to the reach, is not a marking kind). So a subtree whose reach
// does not hold p holds no leaf to mark, and the pruned walk marks exactly
// the leaves the plain walk marks.
void TObstacleTree::MarkTouching(const TSheetPoint& p) {
    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    while (!walk_.empty()) {
        TObstacle* n = walk_.back();
        walk_.pop_back();
        if (n->IsLeaf == 1) {
            if (InKindSet(SnapKinds, n->Kind) && n->Bounds.OnBorder(p))
                n->Touched = true;
            continue;
        }
        if (Walks.PrunedMarking && !static_cast<const TInnerNode*>(n)->Reach.ContainsPoint(p))
            continue;
        walk_.push_back(n->HighChild);
        walk_.push_back(n->LowChild);
    }
}

TEdge TObstacleTree::CastRay(TDirection dir, const TSheetPoint& p, const TRayMode& mode) {
    TSheetPoint a = p;
    TSheetPoint b = p;
    switch (dir) {
    case TDirection::L:
        a.X = 0;
        break;
    case TDirection::B:
        b.Y = 0;
        break;
    case TDirection::R:
        b.X = Sheet.Right;
        break;
    case TDirection::T:
        a.Y = Sheet.Top;
        break;
    default:
        break;
    }
    TEdge edge(a, b);
    if (mode.Clip && root_ && IsMoveDirection(dir)) {
        const TRayQuery ray{dir, p, mode.SkipGuides, mode.WireExact, Target, Mends};
        if (Walks.Clip == TClipMethod::Reference)
            ClipRayAllLeaves(ray, edge);
        else
            ClipRayPruned(ray, edge);
        if (Mends && Mends->ClosePoints)
            ClosePointsAhead(ray, edge);
    }
    return edge;
}

std::optional<TSheetPoint> TObstacleTree::FirstConnectionPoint(const TSheetPoint& from,
                                                               const TSheetPoint& to,
                                                               const TSheetPoint& skipA,
                                                               const TSheetPoint& skipB) const {
    const TPinPoints& ports = from.Y == to.Y ? PortsAcrossX : PortsAcrossY;
    const std::optional<TSheetPoint> pin = Pins.FirstAfter(from, to, skipA, skipB);
    const std::optional<TSheetPoint> port = ports.FirstAfter(from, to, skipA, skipB);
    if (!pin || !port)
        return pin ? pin : port;
    const auto distance = [&](const TSheetPoint& q) {
        return std::abs(int64_t{q.X} - from.X) + std::abs(int64_t{q.Y} - from.Y);
    };
    return distance(*pin) <= distance(*port) ? pin : port;
}

void TObstacleTree::ClosePointsAhead(const TRayQuery& ray, TEdge& edge) const {
    int32_t& far = RayFarEnd(edge, ray.Dir);
    TSheetPoint farPoint = ray.Origin;
    const bool horizontal = ray.Dir == TDirection::L || ray.Dir == TDirection::R;
    (horizontal ? farPoint.X : farPoint.Y) = far;
    const std::optional<TSheetPoint> q =
        FirstConnectionPoint(ray.Origin, farPoint, Mends->Ends[0], Mends->Ends[1]);
    if (q)
        far = GridLineBefore(ray, *q);
    // A point closed to this ray's axis is no place to turn onto it either.
    const TPinPoints& ports = horizontal ? PortsAcrossX : PortsAcrossY;
    if (!Mends->IsEnd(ray.Origin) && (Pins.Contains(ray.Origin) || ports.Contains(ray.Origin)))
        far = horizontal ? ray.Origin.X : ray.Origin.Y;
}

void TObstacleTree::ClipRayAllLeaves(const TRayQuery& ray, TEdge& edge) {
    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    while (!walk_.empty()) {
        const TObstacle* n = walk_.back();
        walk_.pop_back();
        if (n->IsLeaf == 1) {
            ClipRayAtLeaf(*n, ray, edge);
        } else {
            walk_.push_back(n->HighChild);
            walk_.push_back(n->LowChild);
        }
    }
}

// The walk of ClipRayAllLeaves, in the same order, leaving out leaves that
// provably leave the edge as it is. Let o and c be the origin's coordinates
// along and across the ray, F the far end when a subtree is reached, and
// [lo, hi] the subtree's reach on each axis (it holds every coordinate of
// every leaf's rectangle and effective rectangle, for both WireExact values).
//
// 1. Once the edge is a point (F = o), every later leaf stops at its step 4
//    (or earlier); the walk ends.
// 2. c outside the reach across the ray: every leaf below fails its crossing
//    test, whose interval lies inside its R (or its rectangle for kind 15).
// 3. Otherwise a subtree is left out when o lies outside the reach along the
//    ray, the target shortcut cannot apply there, and no value of the reach
//    lies strictly between F and o. Leaf by leaf in tree order, with F as
//    the subtree's first leaf finds it:
//    - marked rule: O must lie on the leaf's rectangle, so o would be in reach;
//    - along a side: O must lie on R's border, so o would be in reach;
//    - origin inside (its jump across a wire included): O's first step must
//      enter R, so o would be in reach;
//    - target shortcut: needs the target on the ray's line, 0 to SnapStep
//      ahead of o, and at the leaf's near side, a value in reach. The walk
//      works out once per ray whether the target is so placed ("armed") and
//      then opens every subtree whose reach holds its coordinate;
//    - cut: R's near side lies in reach and must lie strictly between F and
//      o, which it does not.
//    So none of the rules that can move F outward (target shortcut, marked
//    rule, the jump across a wire) or set it behind F can fire, the cut
//    cannot fire, and the leaf leaves F where it was; by induction the whole
//    subtree does. F moved outward by an earlier leaf is seen when the next
//    subtree is reached, since each test reads F at that moment.
void TObstacleTree::ClipRayPruned(const TRayQuery& ray, TEdge& edge) {
    const TDirection dir = ray.Dir;
    const TSheetPoint& origin = ray.Origin;
    const bool horizontal = dir == TDirection::L || dir == TDirection::R;
    const bool decreasing = dir == TDirection::L || dir == TDirection::B;
    const int32_t o = horizontal ? origin.X : origin.Y;
    const int32_t c = horizontal ? origin.Y : origin.X;
    const int32_t& far = RayFarEnd(edge, dir);

    bool armed = false;
    const TSheetPoint& target = ray.Target;
    const int32_t t = horizontal ? target.X : target.Y;
    if (target.X != -1 && (horizontal ? target.Y : target.X) == c) {
        const int64_t ahead = decreasing ? int64_t{o} - t : int64_t{t} - o;
        armed = ahead >= 0 && ahead <= SnapStep;
    }

    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    while (!walk_.empty() && far != o) {
        const TObstacle* n = walk_.back();
        walk_.pop_back();
        if (n->IsLeaf == 1) {
            ClipRayAtLeaf(*n, ray, edge);
            continue;
        }
        const TBoundingRect& reach = static_cast<const TInnerNode*>(n)->Reach;
        const int32_t acrossLo = horizontal ? reach.Bottom : reach.Left;
        const int32_t acrossHi = horizontal ? reach.Top : reach.Right;
        if (c < acrossLo || c > acrossHi)
            continue;
        const int32_t lo = horizontal ? reach.Left : reach.Bottom;
        const int32_t hi = horizontal ? reach.Right : reach.Top;
        const bool holdsOrigin = lo <= o && o <= hi;
        const bool holdsTarget = armed && lo <= t && t <= hi;
        // Some value v of the reach with F < v < o (L, B) or o < v < F (R, T).
        const bool betweenEnds =
            decreasing ? (far < o && hi > far && lo < o) : (o < far && lo < far && hi > o);
        if (!holdsOrigin && !holdsTarget && !betweenEnds)
            continue;
        walk_.push_back(n->HighChild);
        walk_.push_back(n->LowChild);
    }
}

} // namespace pathwick
