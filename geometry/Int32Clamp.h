// Saturating 32-bit helpers for coordinate arithmetic that can leave the int32 range.
#pragma once

#include <cstdint>
#include <limits>

namespace pathwick {

// The value, or the nearest int32 limit when it lies outside the int32 range.
constexpr int32_t ClampToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// a + b and a - b, saturated at the int32 limits instead of wrapping.
constexpr int32_t SaturatingAdd(int32_t a, int32_t b) {
    return ClampToInt32(int64_t{a} + int64_t{b});
}
constexpr int32_t SaturatingSub(int32_t a, int32_t b) {
    return ClampToInt32(int64_t{a} - int64_t{b});
}

} // namespace pathwick
