// A routing request's failure in the user's words.
#pragma once

#include "host/HostInterfaces.h"

#include <string>
#include <string_view>

namespace pathwick::workbench {

// Why the segment from `from` to `to` was not routed, e.g. "the start point
// (1000000,2000000) lies inside an obstacle".
std::string RouteFailureText(uint8_t failure, TSheetPoint from, TSheetPoint to);
// A short name for reports, e.g. "start-blocked"; "unknown" for a code this
// workbench does not know.
std::string_view RouteFailureName(uint8_t failure);

} // namespace pathwick::workbench
