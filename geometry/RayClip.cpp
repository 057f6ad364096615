#include "geometry/RayClip.h"

#include "geometry/Int32Clamp.h"
#include "geometry/ObstacleKinds.h"

namespace pathwick {

namespace {

// Grid lines below a left or bottom side. The 64-bit arithmetic keeps side - 1
// defined at the int32 minimum; the result always fits.
int32_t GridBelow(int32_t side) {
    return ClampToInt32((int64_t{side} - 1) / SnapStep * SnapStep);
}

// Grid line above a right or top side. Sides of 2 147 000 000 and more would
// land beyond the int32 range; they stop at its maximum instead.
int32_t GridAbove(int32_t side) {
    return ClampToInt32(int64_t{side} / SnapStep * SnapStep + SnapStep);
}

bool IsWireKind(int32_t kind) {
    return kind == kinds::Wire || kind == kinds::Bus;
}

int64_t Span(int32_t lo, int32_t hi) {
    const int64_t d = int64_t{hi} - int64_t{lo};
    return d < 0 ? -d : d;
}

bool IsHorizontalRun(const TBoundingRect& n) {
    return n.Bottom == n.Top && Span(n.Left, n.Right) > 1;
}

bool IsVerticalRun(const TBoundingRect& n) {
    return n.Left == n.Right && Span(n.Bottom, n.Top) > 1;
}

// The direction-dependent views of one ray, worked out once per leaf.
struct TRayFrame {
    bool Horizontal;      // L or R
    bool Decreasing;      // L or B: the far end moves toward smaller values
    int32_t OriginAlong;  // origin along the ray
    int32_t OriginAcross; // origin across the ray

    explicit TRayFrame(const TRayQuery& ray)
        : Horizontal(ray.Dir == TDirection::L || ray.Dir == TDirection::R),
          Decreasing(ray.Dir == TDirection::L || ray.Dir == TDirection::B),
          OriginAlong(Horizontal ? ray.Origin.X : ray.Origin.Y),
          OriginAcross(Horizontal ? ray.Origin.Y : ray.Origin.X) {}

    int32_t Along(const TSheetPoint& p) const { return Horizontal ? p.X : p.Y; }
    int32_t Across(const TSheetPoint& p) const { return Horizontal ? p.Y : p.X; }
    // The side of r that the ray meets first, and the opposite one.
    int32_t NearSide(const TBoundingRect& r) const {
        return Horizontal ? (Decreasing ? r.Right : r.Left) : (Decreasing ? r.Top : r.Bottom);
    }
    int32_t FarSide(const TBoundingRect& r) const {
        return Horizontal ? (Decreasing ? r.Left : r.Right) : (Decreasing ? r.Bottom : r.Top);
    }
    // r's extent across the ray.
    int32_t AcrossLow(const TBoundingRect& r) const { return Horizontal ? r.Bottom : r.Left; }
    int32_t AcrossHigh(const TBoundingRect& r) const { return Horizontal ? r.Top : r.Right; }
    // v lies strictly between the far end f and the origin.
    bool StrictlyBetween(int32_t v, int32_t f) const {
        return Decreasing ? (f < v && v < OriginAlong) : (OriginAlong < v && v < f);
    }
    // v is closer to the origin than the far end f.
    bool Nearer(int32_t v, int32_t f) const { return Decreasing ? v > f : v < f; }
    // The origin's first step along the ray lands inside r.
    bool FirstStepEnters(const TBoundingRect& r) const {
        const int32_t lo = Horizontal ? r.Left : r.Bottom;
        const int32_t hi = Horizontal ? r.Right : r.Top;
        return Decreasing ? (lo < OriginAlong && OriginAlong <= hi)
                          : (lo <= OriginAlong && OriginAlong < hi);
    }
    bool IsParallelRun(const TBoundingRect& n) const {
        return Horizontal ? IsHorizontalRun(n) : IsVerticalRun(n);
    }
    bool IsAcrossRun(const TBoundingRect& n) const {
        return Horizontal ? IsVerticalRun(n) : IsHorizontalRun(n);
    }
    // How far ahead of the origin the value v lies, in 64 bits.
    int64_t Ahead(int32_t v) const {
        return Decreasing ? int64_t{OriginAlong} - int64_t{v} : int64_t{v} - int64_t{OriginAlong};
    }
};

bool CrossesRayLine(const TObstacle& leaf, const TBoundingRect& r, const TRayFrame& f,
                    bool wireExact) {
    if (leaf.Kind == kinds::Junction)
        return f.AcrossLow(leaf.Bounds) <= f.OriginAcross &&
               f.OriginAcross <= f.AcrossHigh(leaf.Bounds);
    const int32_t lo = f.AcrossLow(r);
    const int32_t hi = f.AcrossHigh(r);
    if (!wireExact)
        return lo <= f.OriginAcross && f.OriginAcross <= hi;
    return (lo < f.OriginAcross && f.OriginAcross < hi) || (lo == hi && f.OriginAcross == hi);
}

// O lies on a side of r that runs parallel to the ray, short of that side's end
// in the ray's direction: the ray would run along the side.
bool RunsAlongSide(const TBoundingRect& r, const TRayFrame& f, const TSheetPoint& origin) {
    if (!r.OnBorder(origin))
        return false;
    const bool onParallelSide =
        f.OriginAcross == f.AcrossHigh(r) || f.OriginAcross == f.AcrossLow(r);
    return onParallelSide && f.OriginAlong != f.FarSide(r);
}

} // namespace

TBoundingRect SnappedToGrid(const TBoundingRect& n) {
    return TBoundingRect(GridBelow(n.Left), GridBelow(n.Bottom), GridAbove(n.Right),
                         GridAbove(n.Top));
}

int32_t GridLineBefore(const TRayQuery& ray, const TSheetPoint& q) {
    const TRayFrame f(ray);
    const int32_t v = f.Along(q);
    const int32_t line = f.Decreasing ? GridAbove(v) : GridBelow(v);
    return f.Ahead(line) > 0 ? line : f.OriginAlong;
}

int32_t AlongWeight(int32_t kind) {
    if (IsWireKind(kind))
        return 1;
    if (kind == KindGuideLine)
        return 2;
    return 20;
}

void ClipRayAtLeaf(const TObstacle& leaf, const TRayQuery& ray, TEdge& edge) {
    if (!IsMoveDirection(ray.Dir))
        return;
    const int32_t kind = leaf.Kind;
    const TBoundingRect& n = leaf.Bounds;
    if (kind == KindSheetFrame || (ray.SkipGuides && kind == KindGuideLine))
        return;
    // A leaf the mends leave out changes nothing, so the pruned walk stays exact.
    if (ray.Mends && ray.Mends->IgnoresLeaf(leaf))
        return;

    // The leaf's effective rectangle: widened to the grid unless exact.
    const bool widened = InKindSet(SnapKinds, kind) && !(ray.WireExact && IsWireKind(kind));
    const TBoundingRect r = widened ? SnappedToGrid(n) : n;

    const TRayFrame f(ray);
    if (!CrossesRayLine(leaf, r, f, ray.WireExact))
        return;
    if (SamePoint(edge.StartPoint, edge.EndPoint))
        return;

    const TSheetPoint& origin = ray.Origin;
    const bool targetSet = ray.Target.X != -1;
    const bool onMarked = leaf.Touched && n.OnBorder(origin);
    const bool along = !onMarked && targetSet && RunsAlongSide(r, f, origin);
    int32_t& far = RayFarEnd(edge, ray.Dir);

    // Target shortcut: the target sits on this obstacle's near side, on the
    // ray's line and within one grid step ahead: the ray ends exactly there.
    if (targetSet && kind != KindGuideLine && !(n.OnBorder(origin) && n.OnBorder(ray.Target)) &&
        f.Across(ray.Target) == f.OriginAcross && f.Along(ray.Target) == f.NearSide(n)) {
        const int64_t ahead = f.Ahead(f.Along(ray.Target));
        if (ahead >= 0 && ahead <= SnapStep) {
            far = f.Along(ray.Target);
            return;
        }
    }

    // The origin's first step enters the obstacle.
    if (!along && !onMarked && kind != KindGuideLine && f.FirstStepEnters(r)) {
        if (!IsWireKind(kind)) {
            far = f.OriginAlong;
        } else if (f.IsParallelRun(n)) {
            // On the run itself the ray would run over the wire. Off the run but
            // inside its widened rectangle the ray would run alongside the wire
            // closer than one grid step, or, level with the run beyond its end,
            // onto it; both stay closed like any other obstacle's inside. The
            // point is not trapped: across the run the rule below lets it out.
            far = f.OriginAlong;
        } else if (f.IsAcrossRun(n)) {
            if (f.OriginAcross != f.AcrossLow(n) && f.OriginAcross != f.AcrossHigh(n)) {
                // Jump the wire and land on the grid line beyond it.
                far = f.FarSide(r);
                edge.CrossesWire = true;
            } else {
                far = f.OriginAlong;
            }
        }
        return;
    }

    if (!along && !onMarked) {
        const bool parallelGuide = kind == KindGuideLine && f.IsParallelRun(n);
        const int32_t near = f.NearSide(r);
        if (!parallelGuide && f.StrictlyBetween(near, far)) {
            far = near;
            return;
        }
    }

    if (onMarked) {
        // From the border of a marked obstacle only the side O lies on opens,
        // outward, as far as the grid line around the obstacle.
        far = f.OriginAlong == f.FarSide(n) ? f.FarSide(r) : f.OriginAlong;
        return;
    }

    if (along) {
        const int32_t corner = f.FarSide(r);
        if (f.Nearer(corner, far))
            far = corner;
        const int32_t w = AlongWeight(kind);
        edge.StopWeight = edge.StopWeight == NoStopWeight ? w : MaxInt(edge.StopWeight, w);
    }
}

int32_t& RayFarEnd(TEdge& edge, TDirection dir) {
    switch (dir) {
    case TDirection::L:
        return edge.StartPoint.X;
    case TDirection::B:
        return edge.EndPoint.Y;
    case TDirection::R:
        return edge.EndPoint.X;
    default:
        return edge.StartPoint.Y;
    }
}

} // namespace pathwick
