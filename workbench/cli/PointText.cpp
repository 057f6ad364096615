#include "workbench/cli/PointText.h"

#include "workbench/kicad/KicadUnits.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace pathwick::workbench {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

int32_t ParseCoordinate(std::string_view part, std::string_view whole, const char* axis) {
    part = Trim(part);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error == std::errc::invalid_argument || end != part.data() + part.size())
        throw std::invalid_argument("bad point \"" + std::string(whole) + "\": " + axis +
                                    " is not a whole number");
    if (error == std::errc::result_out_of_range || value < INT32_MIN || value > INT32_MAX)
        throw std::invalid_argument("bad point \"" + std::string(whole) + "\": " + axis +
                                    " is outside the 32-bit range");
    return static_cast<int32_t>(value);
}

// The text before and after the one comma; `what` says what the numbers are.
std::size_t CommaOf(std::string_view text, const char* what) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        throw std::invalid_argument("bad point \"" + std::string(text) + "\": expected X,Y (" +
                                    what + " and a comma)");
    return comma;
}

int64_t ParseMillimetres(std::string_view part, std::string_view whole, const char* axis) {
    try {
        return kicad::ParseMillimetres(Trim(part));
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument("bad point \"" + std::string(whole) + "\": " + axis +
                                    " is not a number of millimetres");
    }
}

} // namespace

TSheetPoint ParsePointText(std::string_view text) {
    const std::size_t comma = CommaOf(text, "two whole numbers");
    return {ParseCoordinate(text.substr(0, comma), text, "X"),
            ParseCoordinate(text.substr(comma + 1), text, "Y")};
}

kicad::TFilePoint ParseMillimetrePointText(std::string_view text) {
    const std::size_t comma = CommaOf(text, "two numbers of millimetres");
    return {ParseMillimetres(text.substr(0, comma), text, "X"),
            ParseMillimetres(text.substr(comma + 1), text, "Y")};
}

} // namespace pathwick::workbench
