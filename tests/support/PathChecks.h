// What a user checks on a routed wire.
#pragma once

#include "host/HostTypes.h"

#include <algorithm>
#include <vector>

namespace pathwick::test {

// Every segment horizontal or vertical.
inline bool IsOrthogonal(const std::vector<TSheetPoint>& path) {
    for (std::size_t i = 1; i < path.size(); ++i)
        if (path[i].X != path[i - 1].X && path[i].Y != path[i - 1].Y)
            return false;
    return true;
}

// Some segment runs through the open inside of the rectangle.
inline bool EntersInside(const std::vector<TSheetPoint>& path, const TSheetRect& r) {
    for (std::size_t i = 1; i < path.size(); ++i) {
        const TSheetPoint a = path[i - 1];
        const TSheetPoint b = path[i];
        const int32_t loX = std::min(a.X, b.X), hiX = std::max(a.X, b.X);
        const int32_t loY = std::min(a.Y, b.Y), hiY = std::max(a.Y, b.Y);
        if (loY == hiY) { // horizontal
            if (loY > r.Bottom && loY < r.Top && loX < r.Right && hiX > r.Left)
                return true;
        } else if (loX == hiX) {
            if (loX > r.Left && loX < r.Right && loY < r.Top && hiY > r.Bottom)
                return true;
        }
    }
    return false;
}

} // namespace pathwick::test
