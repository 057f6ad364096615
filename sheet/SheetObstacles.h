// Turning the host's sheet objects into obstacles of a tree.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/HostInterfaces.h"
#include "host/ObjectKinds.h"

#include <cstdint>

namespace pathwick {

// The sheet objects a build asks the document for: every kind the tree
// models. Parameters stay out (code 30, the code of the tree's sheet frame).
inline constexpr uint64_t SheetKindFilter =
    KindSet({2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
             24, 26, 28, 29, 33, 34, 35, 36, 37, 38, 39, 41, 46, 47, 51, 52, 53, 54, 56, 57, 59});
// A symbol's children: the sheet kinds and those that occur only inside symbols.
inline constexpr uint64_t SymbolKindFilter =
    SheetKindFilter | KindSet({kinds::Parameter, kinds::DesignatorField, kinds::PinDecoration,
                               kinds::BodyArc, kinds::BodyLine, kinds::Implementation});

// Every sheet object of the document as zero or more obstacles, then the sheet
// frame (the tree's Sheet); a null document gives the frame alone. A failing
// host call raises; the obstacles added before it stay.
void BuildFromDocument(TObstacleTree& tree, ISch_Document* document, int32_t margin);

// Every straight run of a polyline as one wire-run obstacle (kind 18); nothing
// when the object is not a polyline.
void AddPolyline(TObstacleTree& tree, IHostUnknown* polyline);

} // namespace pathwick
