#include "geometry/BoundingRect.h"

#include "geometry/Direction.h"
#include "geometry/Int32Clamp.h"

#include <utility>

namespace pathwick {

TBoundingRect::TBoundingRect(const TSheetRect& r)
    : Left(r.Left), Bottom(r.Bottom), Right(r.Right), Top(r.Top) {}

TBoundingRect::TBoundingRect(int32_t left, int32_t bottom, int32_t right, int32_t top)
    : Left(left), Bottom(bottom), Right(right), Top(top) {}

void TBoundingRect::SetRect(const TSheetRect& r) {
    *this = TBoundingRect(r);
}

void TBoundingRect::SetFromPoints(const TSheetPoint& p1, const TSheetPoint& p2) {
    Left = p1.X;
    Top = p1.Y;
    Right = p2.X;
    Bottom = p2.Y;
}

bool TBoundingRect::IsSet() const {
    return !(Left == UnsetCoord && Bottom == UnsetCoord && Right == UnsetCoord &&
             Top == UnsetCoord);
}

bool TBoundingRect::ContainsPoint(const TSheetPoint& p) const {
    return Bottom <= p.Y && p.Y <= Top && Left <= p.X && p.X <= Right;
}

bool TBoundingRect::OnBorder(const TSheetPoint& p) const {
    const bool withinX = Left <= p.X && p.X <= Right;
    const bool withinY = Bottom <= p.Y && p.Y <= Top;
    return ((p.Y == Top || p.Y == Bottom) && withinX) || ((p.X == Right || p.X == Left) && withinY);
}

TBoundingRect TBoundingRect::UnionWith(const TBoundingRect& r) const {
    return TBoundingRect(MinInt(r.Left, Left), MinInt(r.Bottom, Bottom), MaxInt(r.Right, Right),
                         MaxInt(r.Top, Top));
}

// Each side is computed in 64 bits; a side that would leave the int32 range stops
// at the range's limit, so a huge margin on a rectangle near the limits yields a
// less grown (or less inverted) rectangle than the plain formula. Sheet-sized
// values are never near those limits and come out exact.
TBoundingRect TBoundingRect::Deflated(int32_t m) const {
    const int64_t m64 = m;
    return TBoundingRect(ClampToInt32(int64_t{Left} + m64), ClampToInt32(int64_t{Bottom} + m64),
                         ClampToInt32(int64_t{Right} - m64), ClampToInt32(int64_t{Top} - m64));
}

void TBoundingRect::Normalize() {
    if (Bottom > Top)
        std::swap(Bottom, Top);
    if (Left > Right)
        std::swap(Left, Right);
}

void TBoundingRect::IncludeRect(const TSheetRect& r) {
    Top = MaxInt(r.Top, Top);
    Bottom = MinInt(r.Bottom, Bottom);
    Right = MaxInt(r.Right, Right);
    Left = MinInt(r.Left, Left);
}

void TBoundingRect::Include(const TBoundingRect& r) {
    if (IsSet())
        *this = UnionWith(r);
    else
        *this = r;
}

} // namespace pathwick
