#include "bench/quality/Segments.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace pathwick::quality {

namespace {

// Cross products of sheet coordinates need more than 64 bits in general.
__extension__ typedef __int128 TWide;

TWide Cross(TSheetPoint o, TSheetPoint a, TSheetPoint b) {
    return TWide{int64_t{a.X} - o.X} * TWide{int64_t{b.Y} - o.Y} -
           TWide{int64_t{a.Y} - o.Y} * TWide{int64_t{b.X} - o.X};
}

int Sign(TWide v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

bool WithinBox(const TSegment& s, TSheetPoint p) {
    return std::min(s.A.X, s.B.X) <= p.X && p.X <= std::max(s.A.X, s.B.X) &&
           std::min(s.A.Y, s.B.Y) <= p.Y && p.Y <= std::max(s.A.Y, s.B.Y);
}

// Position of p along s's direction, for points on s's line.
TWide Along(const TSegment& s, TSheetPoint p) {
    return TWide{int64_t{p.X} - s.A.X} * TWide{int64_t{s.B.X} - s.A.X} +
           TWide{int64_t{p.Y} - s.A.Y} * TWide{int64_t{s.B.Y} - s.A.Y};
}

// The direction of a piece reduced to lowest terms, so that equal directions
// compare equal whatever the piece's length.
TSheetPoint Direction(TSheetPoint a, TSheetPoint b) {
    const int64_t dx = int64_t{b.X} - a.X;
    const int64_t dy = int64_t{b.Y} - a.Y;
    const int64_t g = std::gcd(std::llabs(dx), std::llabs(dy));
    return {static_cast<int32_t>(dx / g), static_cast<int32_t>(dy / g)};
}

} // namespace

std::vector<TSegment> SegmentsOf(const std::vector<TSheetPoint>& points) {
    std::vector<TSegment> segments;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (!(points[i - 1] == points[i]))
            segments.push_back({points[i - 1], points[i]});
    return segments;
}

bool OnSegment(const TSegment& s, TSheetPoint p) {
    return Cross(s.A, s.B, p) == 0 && WithinBox(s, p);
}

bool InsideSegment(const TSegment& s, TSheetPoint p) {
    return OnSegment(s, p) && !(p == s.A) && !(p == s.B);
}

bool OverlapCollinear(const TSegment& a, const TSegment& b) {
    if (Cross(a.A, a.B, b.A) != 0 || Cross(a.A, a.B, b.B) != 0)
        return false;
    // Project b's ends on a's direction and compare the intervals.
    const TWide a0 = 0;
    const TWide a1 = Along(a, a.B);
    const TWide b0 = std::min(Along(a, b.A), Along(a, b.B));
    const TWide b1 = std::max(Along(a, b.A), Along(a, b.B));
    return std::max(a0, b0) < std::min(a1, b1);
}

bool CrossProperly(const TSegment& a, const TSegment& b) {
    const int d1 = Sign(Cross(a.A, a.B, b.A));
    const int d2 = Sign(Cross(a.A, a.B, b.B));
    const int d3 = Sign(Cross(b.A, b.B, a.A));
    const int d4 = Sign(Cross(b.A, b.B, a.B));
    return d1 * d2 < 0 && d3 * d4 < 0;
}

bool RunsThroughOpenBox(const TSegment& s, const TSheetRect& r) {
    const int32_t left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
    const int32_t bottom = std::min(r.Bottom, r.Top), top = std::max(r.Bottom, r.Top);
    if (left >= right || bottom >= top)
        return false; // a flat box has no inside
    // Clip the segment's parameter t in [0, 1] to the open box (Liang-Barsky),
    // with exact fractions: the clipped interval must keep a positive length.
    const int64_t dx = int64_t{s.B.X} - s.A.X;
    const int64_t dy = int64_t{s.B.Y} - s.A.Y;
    // t lies in (lo, hi), kept as fractions num/den with den > 0.
    TWide loN = 0, loD = 1, hiN = 1, hiD = 1;
    const auto clip = [&](int64_t d, int64_t from, int64_t low, int64_t high) {
        // low < from + t d < high
        if (d == 0)
            return low < from && from < high;
        TWide n1 = TWide{low} - from, n2 = TWide{high} - from, den = d;
        if (d < 0) {
            std::swap(n1, n2);
            n1 = -n1;
            n2 = -n2;
            den = -den;
        }
        // t > n1/den and t < n2/den
        if (n1 * loD > loN * den) {
            loN = n1;
            loD = den;
        }
        if (n2 * hiD < hiN * den) {
            hiN = n2;
            hiD = den;
        }
        return true;
    };
    if (!clip(dx, s.A.X, left, right) || !clip(dy, s.A.Y, bottom, top))
        return false;
    return loN * hiD < hiN * loD;
}

int CountBends(const std::vector<TSheetPoint>& points) {
    int bends = 0;
    bool have = false;
    TSheetPoint last{};
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i - 1] == points[i])
            continue;
        const TSheetPoint d = Direction(points[i - 1], points[i]);
        if (have && !(d == last))
            ++bends;
        last = d;
        have = true;
    }
    return bends;
}

} // namespace pathwick::quality
