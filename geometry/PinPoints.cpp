#include "geometry/PinPoints.h"

#include "geometry/Direction.h"

#include <algorithm>

namespace pathwick {

namespace {

using TKeys = std::set<std::pair<int32_t, int32_t>>;

// Some key (line, v) with lo < v < hi.
bool AnyInside(const TKeys& keys, int32_t line, int32_t lo, int32_t hi) {
    const auto it = keys.upper_bound({line, lo});
    return it != keys.end() && it->first == line && it->second < hi;
}

// The first key (line, v) past `from` towards `to` (included) whose v is not
// in `skip`; the walk never steps outside the set's range, so no value
// overflows.
std::optional<int32_t> FirstOnLine(const TKeys& keys, int32_t line, int32_t from, int32_t to,
                                   int32_t skipA, int32_t skipB) {
    const auto skipped = [&](int32_t v) { return v == skipA || v == skipB; };
    if (from < to) {
        for (auto it = keys.upper_bound({line, from});
             it != keys.end() && it->first == line && it->second <= to; ++it)
            if (!skipped(it->second))
                return it->second;
        return std::nullopt;
    }
    for (auto it = keys.lower_bound({line, from}); it != keys.begin();) {
        --it;
        if (it->first != line || it->second < to)
            break;
        if (!skipped(it->second))
            return it->second;
    }
    return std::nullopt;
}

} // namespace

void TPinPoints::Add(const TSheetPoint& p) {
    byX_.insert({p.X, p.Y});
    byY_.insert({p.Y, p.X});
}

bool TPinPoints::AnyBetween(const TSheetPoint& a, const TSheetPoint& b) const {
    if (a.X == b.X)
        return AnyInside(byX_, a.X, std::min(a.Y, b.Y), std::max(a.Y, b.Y));
    return AnyInside(byY_, a.Y, std::min(a.X, b.X), std::max(a.X, b.X));
}

std::optional<TSheetPoint> TPinPoints::FirstAfter(const TSheetPoint& from, const TSheetPoint& to,
                                                  const TSheetPoint& skipA,
                                                  const TSheetPoint& skipB) const {
    if (SamePoint(from, to))
        return std::nullopt;
    if (from.X == to.X) {
        // A skipped point off this line can never match a value on it.
        const int32_t a = skipA.X == from.X ? skipA.Y : from.Y;
        const int32_t b = skipB.X == from.X ? skipB.Y : from.Y;
        const std::optional<int32_t> y = FirstOnLine(byX_, from.X, from.Y, to.Y, a, b);
        return y ? std::optional<TSheetPoint>(TSheetPoint{from.X, *y}) : std::nullopt;
    }
    const int32_t a = skipA.Y == from.Y ? skipA.X : from.X;
    const int32_t b = skipB.Y == from.Y ? skipB.X : from.X;
    const std::optional<int32_t> x = FirstOnLine(byY_, from.Y, from.X, to.X, a, b);
    return x ? std::optional<TSheetPoint>(TSheetPoint{*x, from.Y}) : std::nullopt;
}

} // namespace pathwick
