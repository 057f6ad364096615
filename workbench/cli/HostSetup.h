// Prepares the workbench host process before the module is loaded.
#pragma once

#include "workbench/cli/Commands.h"
#include "workbench/cli/ModuleLoader.h"

#include <memory>

namespace pathwick::workbench {

// Points the host's preference location at --prefs (made absolute). The
// module finds the client through the executable's export when it loads.
void SetUpHost(const TGlobalOptions& global);

// Loads the module; the host must be set up first, since the module reads
// Router.ini when it is loaded.
std::unique_ptr<TModule> LoadRoutingModule(const TGlobalOptions& global);

} // namespace pathwick::workbench
