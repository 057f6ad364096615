// The integer text rule shared by the settings file and the options dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pathwick {

// Reads text as a 32-bit signed integer, or nothing when the text is invalid.
//
// Leading spaces are skipped; one optional "-" or "+" follows; then either
// decimal digits, or one to eight hexadecimal digits (either case) after a
// "$", "x", "X", "0x" or "0X" prefix. Anything else is invalid: empty text, a
// sign or prefix without digits, any other character anywhere (a trailing
// space included), a decimal value outside -2147483648..2147483647, and more
// than eight hexadecimal digits (leading zeros count).
//
// Hexadecimal digits are a 32-bit pattern, so "$FFFFFFFF" is -1 and
// "$80000000" is -2147483648. A sign applies to the pattern with 32-bit
// wrap-around: "-$10" is -16, "-$FFFFFFFF" is 1, and "-$80000000" stays
// -2147483648 (the negation of the smallest value wraps onto itself).
std::optional<int32_t> ParseIntegerText(std::string_view text);

} // namespace pathwick
