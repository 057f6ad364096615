#include "geometry/ObstacleTree.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/RayClip.h"

namespace pathwick {

static_assert(sizeof(void*) != 8 || sizeof(TObstacle) == 40,
              "a tree node should stay at 40 bytes on 64-bit targets");

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

} // namespace

TObstacleTree::TObstacleTree() {
    Sheet.SetToSheet();
}

// The nodes live in nodes_, so no walk is needed to free them.
TObstacleTree::~TObstacleTree() = default;

TObstacle* TObstacleTree::NewNode(uint8_t isLeaf, int32_t kind) {
    return &nodes_.emplace_back(isLeaf, kind);
}

// Descends from the root, one axis further at each level. An inner node's box
// is grown on the way down: the union does not depend on when it is taken, and
// the comparisons only read the boxes of the nodes below the current one.
void TObstacleTree::AddRect(const TBoundingRect& rect, int32_t kind) {
    TObstacle* leaf = NewNode(1, kind);
    leaf->Bounds.Assign(rect);
    const TBoundingRect& nb = leaf->Bounds;

    TObstacle** slot = &root_;
    int axis = 0;
    while (*slot && (*slot)->IsLeaf != 1) {
        TObstacle* inner = *slot;
        const bool low = Coord(nb, axis) < Coord(inner->HighChild->Bounds, axis);
        Grow(inner->Bounds, nb);
        slot = low ? &inner->LowChild : &inner->HighChild;
        axis = axis == 3 ? 0 : axis + 1;
    }
    if (*slot) {
        TObstacle* old = *slot;
        TObstacle* inner = NewNode(0, KindInnerNode);
        if (Coord(old->Bounds, axis) < Coord(nb, axis)) {
            inner->LowChild = old;
            inner->HighChild = leaf;
        } else {
            inner->LowChild = leaf;
            inner->HighChild = old;
        }
        inner->Bounds = old->Bounds.UnionWith(nb);
        *slot = inner;
    } else {
        *slot = leaf;
    }
    ++leafCount_;
}

bool TObstacleTree::PointBlocked(const TSheetPoint& p, int32_t margin) const {
    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    TBoundingRect e;
    while (!walk_.empty()) {
        const TObstacle* n = walk_.back();
        walk_.pop_back();
        if (!InKindSet(MarginExemptKinds, n->Kind))
            n->Bounds.DeflateTo(e, margin);
        else if (n->Kind == KindDeflatedByOne)
            n->Bounds.DeflateTo(e, 1);
        else
            e = n->Bounds;
        if (!e.ContainsPoint(p) || e.OnBorder(p))
            continue;
        if (n->IsLeaf == 1) {
            if (n->Kind != KindWire && n->Kind != KindBus && n->Kind != KindSheetFrame)
                return true;
        } else {
            walk_.push_back(n->HighChild);
            walk_.push_back(n->LowChild);
        }
    }
    return false;
}

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
        } else {
            walk_.push_back(n->HighChild);
            walk_.push_back(n->LowChild);
        }
    }
}

TEdge TObstacleTree::CastRay(TDirection dir, const TSheetPoint& p, bool clip, bool skipGuides,
                             bool wireExact) {
    TSheetPoint a = p;
    TSheetPoint b = p;
    switch (dir) {
    case DirL:
        a.X = 0;
        break;
    case DirB:
        b.Y = 0;
        break;
    case DirR:
        b.X = Sheet.Right;
        break;
    case DirT:
        a.Y = Sheet.Top;
        break;
    default:
        break;
    }
    TEdge edge(a, b);
    if (clip && root_)
        ClipRayAllLeaves(dir, p, edge, skipGuides, wireExact);
    return edge;
}

void TObstacleTree::ClipRayAllLeaves(TDirection dir, const TSheetPoint& origin, TEdge& edge,
                                     bool skipGuides, bool wireExact) {
    if (dir > DirT)
        return;
    const TRayQuery ray{dir, origin, skipGuides, wireExact, Target};
    walk_.clear();
    if (root_)
        walk_.push_back(root_);
    while (!walk_.empty()) {
        const TObstacle* n = walk_.back();
        walk_.pop_back();
        if (n->IsLeaf == 1) {
            ClipRayAtLeaf(*n, ray, edge, Scratch);
        } else {
            walk_.push_back(n->HighChild);
            walk_.push_back(n->LowChild);
        }
    }
}

} // namespace pathwick
