// Routing on a workbench sheet without the module: the tree a session builds
// from it, and the host's new wires for the router's results.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/FreeWire.h"
#include "sheet/SheetObstacles.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/WorkbenchHost.h"

#include <memory>

namespace pathwick::test {

// The sheet's extent, (0, 0) to its width and height.
inline TBoundingRect SheetExtent(const workbench::TSheetDocument& sheet) {
    return TBoundingRect(0, 0, sheet.Width(), sheet.Height());
}

// A tree over the sheet's extent filled from its objects, as a session builds it.
inline std::unique_ptr<TObstacleTree> BuildSheetTree(workbench::TSheetDocument& sheet,
                                                     int32_t margin = -1) {
    auto tree = std::make_unique<TObstacleTree>(SheetExtent(sheet));
    BuildFromDocument(*tree, &sheet, margin);
    return tree;
}

// A new free-standing wire from the workbench host's editor service.
inline THostRef<ISch_Wire> NewWorkbenchWire() {
    return NewFreeWire(workbench::TWorkbenchHost::Instance().Service());
}

} // namespace pathwick::test
