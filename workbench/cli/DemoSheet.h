// The embedded demo: an example sheet and the wires a user would place on it.
#pragma once

#include "workbench/cli/RouteJob.h"

#include <string_view>
#include <vector>

namespace pathwick::workbench {

// The text of examples/amplifier.json, built into the executable.
std::string_view DemoSheetText();
const char* DemoSheetName();
// Pin-to-pin connections of the amplifier, one of them in two segments.
const std::vector<TWirePoints>& DemoWires();

} // namespace pathwick::workbench
