// Turning the host's sheet objects into obstacles of a tree.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/HostInterfaces.h"

#include <cstdint>

namespace pathwick {

// Every sheet object of the document as zero or more obstacles, then the sheet
// frame (the tree's Sheet); a null document gives the frame alone. A failing
// host call raises; the obstacles added before it stay.
void BuildFromDocument(TObstacleTree& tree, ISch_Document* document, int32_t margin);

// Every straight run of a polyline as one wire-run obstacle (kind 18); nothing
// when the object is not a polyline.
void AddPolyline(TObstacleTree& tree, IHostUnknown* polyline);

} // namespace pathwick
