// The test process as a host: the module loaded once with searches that never
// time out, and the example sheets.
#pragma once

#include "workbench/ModuleLoader.h"
#include "workbench/SheetDocument.h"

#include <string>

namespace pathwick::test {

// Loads libPathwick.so on first use, after pointing the host's preference
// folder at a temporary one whose Router.ini gives searches all the time they
// need, so that routes never depend on the machine's speed.
TModule& GuiModule();
const std::string& GuiPreferenceFolder();

// The path of an example sheet, e.g. "amplifier.json".
std::string ExampleSheet(const std::string& name);

// A fresh temporary folder.
std::string MakeTempFolder();

} // namespace pathwick::test
