// The extent of the sheet that the host's editor shows now.
#pragma once

#include "geometry/BoundingRect.h"
#include "host/HostInterfaces.h"

namespace pathwick {

// Sets rect to (0, 0)-(width, height) of the service's active document.
// Leaves it unchanged without a service or when the active document is not a
// schematic sheet. A failing host call raises; when the width fails, Left,
// Bottom and Top are already set.
void SetToSheet(TBoundingRect& rect, ISch_EditorService* service);

} // namespace pathwick
