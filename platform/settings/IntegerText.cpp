#include "platform/settings/IntegerText.h"

namespace pathwick {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the hexadecimal prefix at the start of text (0 when there is none).
size_t HexPrefixLength(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        return 2;
    if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X'))
        return 1;
    return 0;
}

std::optional<uint32_t> ParseHexPattern(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    uint32_t pattern = 0;
    for (const char c : digits) {
        const int value = HexDigitValue(c);
        if (value < 0)
            return std::nullopt;
        pattern = (pattern << 4) | static_cast<uint32_t>(value);
    }
    return pattern;
}

// Decimal magnitude, stopping as soon as it passes 2^31 so that any number of
// digits is read without overflow.
std::optional<int64_t> ParseDecimalMagnitude(std::string_view digits) {
    constexpr int64_t limit = int64_t{1} << 31;
    if (digits.empty())
        return std::nullopt;
    int64_t magnitude = 0;
    for (const char c : digits) {
        if (!IsDecimalDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return magnitude;
}

} // namespace

std::optional<int32_t> ParseIntegerText(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    if (const size_t prefix = HexPrefixLength(text); prefix > 0) {
        const std::optional<uint32_t> pattern = ParseHexPattern(text.substr(prefix));
        if (!pattern)
            return std::nullopt;
        // Unsigned negation wraps modulo 2^32; the conversion to int32_t is
        // the two's-complement reading of the resulting pattern.
        const uint32_t bits = negative ? 0u - *pattern : *pattern;
        return static_cast<int32_t>(bits);
    }

    const std::optional<int64_t> magnitude = ParseDecimalMagnitude(text);
    if (!magnitude)
        return std::nullopt;
    const int64_t value = negative ? -*magnitude : *magnitude;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace pathwick
