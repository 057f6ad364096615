// The test process as a host: exports the client function, loads libPathwick.so
// once and gives tests small sheets and the example sheets to route on.
#pragma once

#include "workbench/cli/ModuleLoader.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include <memory>
#include <string>
#include <vector>

namespace pathwick::test {

// The module, loaded once per process after the host's preference folder has
// been pointed at a temporary folder whose Router.ini gives searches all the
// time they need (so results never depend on the machine's speed).
workbench::TWorkbenchHost& Host();
TModule& Module();
const std::string& PreferenceFolder();

// The path of an example sheet, e.g. "amplifier.json".
std::string ExampleSheet(const std::string& name);

// 20 000 000 square sheet with one symbol: body (8 000 000, 8 000 000) -
// (12 000 000, 12 000 000) and a pin on its left side.
THostRef<workbench::TSheetDocument> MakeSmallSheet();

// A wire with these vertices, placed on the sheet.
THostRef<workbench::TPolyline> PlaceWire(workbench::TSheetDocument& sheet,
                                         std::vector<TSheetPoint> vertices);

} // namespace pathwick::test
