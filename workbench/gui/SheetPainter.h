// Draws a workbench sheet with a painter, as a schematic page.
#pragma once

#include "workbench/gui/ViewTransform.h"
#include "workbench/model/SheetDocument.h"

#include <QRectF>

class QPainter;

namespace pathwick::workbench {

// Paper, the placement grid (where its dots are far enough apart to see),
// symbols of their current part and view with pins and labels, wires, buses
// and entries, junctions, texts and other graphics. `visible` is the widget
// area to cover.
void PaintSheet(QPainter& painter, const TSheetDocument& sheet, const TViewTransform& transform,
                const QRectF& visible);

} // namespace pathwick::workbench
