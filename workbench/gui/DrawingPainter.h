// Paints the drawable geometry an object carries (see Drawing.h).
#pragma once

#include "workbench/gui/ViewTransform.h"
#include "workbench/model/Drawing.h"

class QPainter;

namespace pathwick::workbench {

void PaintDrawing(QPainter& painter, const TDrawing& drawing, const TViewTransform& transform);

} // namespace pathwick::workbench
