// Points as a user types them on the command line.
#pragma once

#include "host/HostTypes.h"

#include <string_view>

namespace pathwick::workbench {

// "X,Y" in sheet units (decimal integers in the 32-bit range, optional spaces
// round each number). Raises std::invalid_argument naming the text and what is wrong.
TSheetPoint ParsePointText(std::string_view text);

} // namespace pathwick::workbench
