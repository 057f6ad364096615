// The integer text rule against a plain reading of its own description.
#include "platform/settings/IntegerText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Character by character, with the value kept in 64 bits.
std::optional<int32_t> Reference(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    bool hex = false;
    if (i < t.size() && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    const std::string_view digits = t.substr(i);
    if (digits.empty())
        return std::nullopt;
    if (hex) {
        if (digits.size() > 8)
            return std::nullopt;
        uint32_t pattern = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0)
                return std::nullopt;
            pattern = pattern << 4 | static_cast<uint32_t>(d);
        }
        if (negative)
            pattern = 0u - pattern;
        return static_cast<int32_t>(pattern);
    }
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (pathwick::ParseIntegerText(text) != Reference(text))
        std::abort();
    return 0;
}
