// Numbers and texts as the SVG pictures write them.
#pragma once

#include <string>

namespace pathwick::workbench {

// Two decimals, as every coordinate of the pictures.
std::string SvgNumber(double v);
// Text for XML: markup characters escaped, control characters as spaces.
std::string SvgEscape(const std::string& text);

} // namespace pathwick::workbench
