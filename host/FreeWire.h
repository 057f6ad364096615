// A new wire that belongs to no sheet, made by the host's editor service.
#pragma once

#include "host/HostRef.h"

namespace pathwick {

// Asks the service for a new wire object (kinds::Wire, mode 0). Empty when the
// new object is not a wire; a failing host call raises.
THostRef<ISch_Wire> NewFreeWire(ISch_EditorService& service);

} // namespace pathwick
