// SVG elements for the drawable geometry an object carries (see Drawing.h),
// in colours close to a schematic editor's own.
#pragma once

#include "workbench/model/Drawing.h"

#include <string>

namespace pathwick::workbench {

// Pixels per sheet unit and the sheet's height (y is flipped about it).
struct TSvgScale {
    double Scale = 1;
    int32_t SheetHeight = 0;
};

// Every shape of `drawing`; `strong` draws them in the highlight colour.
std::string DrawingToSvg(const TDrawing& drawing, const TSvgScale& scale, bool strong);

} // namespace pathwick::workbench
