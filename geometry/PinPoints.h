// Where the pins of the sheet's symbols, or its ports, connect.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <optional>
#include <set>
#include <utility>

namespace pathwick {

// A set of connection points: those of the pins that the tree's symbols
// show, or those of the sheet's ports. No query of the rules as they stand
// reads them; the mended rules do, so that a way out of a request's end
// point never runs onto another pin, and no path runs through another net's
// connection point.
class TPinPoints {
public:
    void Add(const TSheetPoint& p);
    // Some pin point other than a and b themselves lies on the axis-parallel
    // segment from a to b.
    bool AnyBetween(const TSheetPoint& a, const TSheetPoint& b) const;
    // The point nearest to `from` on the axis-parallel segment from `from`
    // (left out) to `to` (included), other than skipA and skipB.
    std::optional<TSheetPoint> FirstAfter(const TSheetPoint& from, const TSheetPoint& to,
                                          const TSheetPoint& skipA, const TSheetPoint& skipB) const;
    bool Contains(const TSheetPoint& p) const { return byX_.count({p.X, p.Y}) != 0; }
    std::size_t Size() const { return byX_.size(); }

private:
    std::set<std::pair<int32_t, int32_t>> byX_; // (x, y)
    std::set<std::pair<int32_t, int32_t>> byY_; // (y, x)
};

} // namespace pathwick
