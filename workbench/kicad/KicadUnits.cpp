#include "workbench/kicad/KicadUnits.h"

#include <stdexcept>

namespace pathwick::workbench::kicad {

namespace {

// a / b rounded to the nearest integer, halves away from zero; b > 0.
int64_t DivideRounded(int64_t a, int64_t b) {
    const int64_t half = b / 2;
    return a >= 0 ? (a + half) / b : -((-a + half) / b);
}

} // namespace

int64_t ParseMillimetres(std::string_view text) {
    const std::string_view whole = text;
    auto bad = [&](const char* why) {
        return std::invalid_argument("\"" + std::string(whole) + "\" is not a length: " + why);
    };
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        throw bad("no digits");
    int64_t value = 0; // in 100 nm, before the rounding digit
    int decimals = 0;
    bool point = false;
    bool digits = false;
    int roundDigit = -1; // the fifth decimal, if any
    for (const char c : text) {
        if (c == '.') {
            if (point)
                throw bad("two decimal points");
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            throw bad("only digits, a sign and a decimal point may appear");
        digits = true;
        const int d = c - '0';
        if (point && decimals >= 4) {
            if (roundDigit < 0)
                roundDigit = d;
            continue;
        }
        value = value * 10 + d;
        if (point)
            ++decimals;
        if (value > MaxFileTenthsMicron)
            throw bad("too large");
    }
    if (!digits)
        throw bad("no digits");
    for (; decimals < 4; ++decimals)
        value *= 10;
    // Halves away from zero: the magnitude rounds up from a fifth decimal of 5 on.
    if (roundDigit >= 5)
        ++value;
    if (value > MaxFileTenthsMicron)
        throw bad("too large");
    return negative ? -value : value;
}

std::string FormatMillimetres(int64_t tenthsMicron) {
    const bool negative = tenthsMicron < 0;
    // Lengths come from the sheet's 32-bit range, far inside int64_t.
    const uint64_t magnitude =
        negative ? uint64_t{0} - static_cast<uint64_t>(tenthsMicron) : uint64_t(tenthsMicron);
    std::string text = std::to_string(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction);
        decimals.insert(0, 4 - decimals.size(), '0');
        while (decimals.back() == '0')
            decimals.pop_back();
        text += "." + decimals;
    }
    return negative && magnitude != 0 ? "-" + text : text;
}

int64_t UnitsFromFile(int64_t tenthsMicron) {
    return DivideRounded(tenthsMicron * 10000, 127);
}

int64_t FileFromUnits(int64_t units) {
    return DivideRounded(units * 127, 10000);
}

} // namespace pathwick::workbench::kicad
