// The module's view of the host client: set once at module load.
#pragma once

#include "host/HostRef.h"

namespace pathwick {

// The host's client, or null when the host process offers none. The module
// holds no count of its own on it.
IClient* ModuleClient();
void SetModuleClient(IClient* client);

// Asks the client for the "SCH" server module and that module for its
// ISch_EditorService. Empty with no client, no module, or no such interface.
// Made afresh at each use.
THostRef<ISch_EditorService> FindSchematicService();

} // namespace pathwick
