// Where a pin's name and number are written, so that a reader can tell the
// pins of a symbol apart (+IN from -IN).
#pragma once

#include "workbench/model/SheetObjects.h"

namespace pathwick::workbench {

// How a text lies about its point: along the line it starts, is centred on or
// ends at the point; across it, it stands above the point, is centred on it,
// or hangs below it (up as on the sheet).
enum class TTextAlong : uint8_t { Start, Centre, End };
enum class TTextAcross : uint8_t { Above, Centre, Below };

struct TPinText {
    TSheetPoint At;
    TTextAlong Along = TTextAlong::Start;
    TTextAcross Across = TTextAcross::Centre;
};

// Text height of pin names and numbers: 50 mil.
inline constexpr int32_t PinTextHeight = 500000;

// The name goes inside the body, just beyond the lead's inner end; the number
// beside the lead's middle (above a horizontal lead, left of a vertical one).
TPinText PinNamePlace(const TPin& pin);
TPinText PinNumberPlace(const TPin& pin);

} // namespace pathwick::workbench
