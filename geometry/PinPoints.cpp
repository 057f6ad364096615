#include "geometry/PinPoints.h"

#include <algorithm>

namespace pathwick {

namespace {

using TKeys = std::set<std::pair<int32_t, int32_t>>;

// Some key (line, v) with lo < v < hi.
bool AnyInside(const TKeys& keys, int32_t line, int32_t lo, int32_t hi) {
    const auto it = keys.upper_bound({line, lo});
    return it != keys.end() && it->first == line && it->second < hi;
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

} // namespace pathwick
