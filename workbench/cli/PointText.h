// Points as a user types them on the command line.
#pragma once

#include "host/HostTypes.h"
#include "workbench/kicad/PageFrame.h"

#include <string_view>

namespace pathwick::workbench {

// "X,Y" in sheet units (decimal integers in the 32-bit range, optional spaces
// round each number). Raises std::invalid_argument naming the text and what is wrong.
TSheetPoint ParsePointText(std::string_view text);

// "X,Y" in millimetres as a schematic editor shows them (y down, at most four
// decimals counted exactly), as a page point of 100 nm. Raises
// std::invalid_argument like ParsePointText.
kicad::TFilePoint ParseMillimetrePointText(std::string_view text);

} // namespace pathwick::workbench
