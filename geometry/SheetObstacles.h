// Turning the host's sheet objects into obstacles of a tree.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/HostInterfaces.h"

#include <cstdint>

namespace pathwick {

// Every sheet object of the document as zero or more obstacles, then the sheet
// frame. A failing host call raises; the obstacles added before it stay.
void AddSheetObstacles(TObstacleTree& tree, ISch_Document& document, int32_t margin);

// The handlers of the build, one per object family. Each adds nothing when the
// object lacks the interface it needs.
// A bus entry: the box spanned by its two ends (kind 7).
void AddBusEntry(TObstacleTree& tree, ISch_GraphicalObject& object);
// A point object: the 2 x 2 square round its anchor (kind 15).
void AddPointObject(TObstacleTree& tree, ISch_GraphicalObject& object);
// A label widened by w on each side and narrowed by 1 at top and bottom
// (kind 23), unless it is hidden. A null label adds nothing.
void AddLabel(TObstacleTree& tree, ISch_TextTag* label, int32_t w);
// A symbol: one box over its current part and view's children and pin leads
// (kind 24), then its label.
void AddSymbol(TObstacleTree& tree, ISch_GraphicalObject& object);
// Every straight run of a polyline (kind 18).
void AddPolylineRuns(TObstacleTree& tree, IHostUnknown* object);

} // namespace pathwick
