// Drawn items of a schematic file (lines, rectangles, circles, arcs, curves,
// texts, text boxes), on the page or in a symbol's body.
#pragma once

#include "workbench/kicad/ReadContext.h"
#include "workbench/model/Drawing.h"
#include "workbench/model/SheetObject.h"

#include <string>
#include <vector>

namespace pathwick::workbench::kicad {

// What one drawn item becomes in the sheet model.
struct TGraphicItem {
    int32_t Kind = 0; // a workbench kind
    TSheetRect Bounds;
    std::vector<TSheetPoint> Vertices; // for kind Polyline
    std::string Text;
    TDrawing Drawing;
};

// Reads a drawn item placed by `placement` and drawn in `ink`. In a symbol's
// body each becomes a child of a suitable kind (rectangle, polyline, ellipse,
// arc, text, note); on the page a rectangle becomes a closed polyline, so
// that a frame drawn round part of a schematic is a line to cross, not a wall
// round what it frames. False when `item` is not a drawn item.
bool ReadGraphic(const TReadContext& context, const TSexpr& item, const TPlacement& placement,
                 TInk ink, TGraphicItem& out);

// The model object for a drawn item: a polyline for kind Polyline, else a
// plain graphic with the item's rectangle; text and drawing go with it.
THostRef<TSheetObject> MakeGraphicObject(TGraphicItem item);

} // namespace pathwick::workbench::kicad
