// Where the texts of a schematic file stand and how much room they take.
//
// The editor draws with a stroke font of its own; its widths are estimated
// here (a fixed share of the font's width per character), which is close
// enough for the boxes the router keeps clear and for the pictures.
#pragma once

#include "workbench/kicad/SymbolTransform.h"
#include "workbench/model/Drawing.h"

#include <string>
#include <string_view>
#include <vector>

namespace pathwick::workbench::kicad {

// How a text is written, from its (effects ...): sizes in 100 nm.
struct TTextStyle {
    int64_t Height = 12700; // 50 mil, the editor's default
    int64_t Width = 12700;
    TTextAlign Along = TTextAlign::Centre;  // left: Start, right: End
    TTextAlign Across = TTextAlign::Centre; // top: Start, bottom: End
    bool Hidden = false;
};

// The text as drawn: formatting marks (~{..}, ^{..}, _{..}) taken out.
std::string VisibleText(std::string_view text);
// The text's lines, one per line break.
std::vector<std::string> TextLines(std::string_view text);
// Estimated extent of a (multi-line) text along its reading direction and across it.
int64_t TextWidth(std::string_view text, const TTextStyle& style);
int64_t TextHeight(std::string_view text, const TTextStyle& style);

// A box given in a text's own frame (x along the reading direction, y up
// across it, origin at the anchor) and what became of it on the sheet.
struct TTextFrameBox {
    int64_t AlongLow = 0, AlongHigh = 0, AcrossLow = 0, AcrossHigh = 0;
};

struct TPlacedText {
    TSheetRect Box;    // on the sheet
    int16_t Angle = 0; // reading direction on the sheet: 0 or 90
};

// Places a box of a text written at `anchor` (a page point) with reading
// direction `angle` in its item's frame; for a symbol's field the frame is
// the symbol's, turned by its transform. Throws std::out_of_range via the frame.
TPlacedText PlaceTextBox(const TPlacement& placement, TFilePoint anchor, int angle,
                         const TTextFrameBox& box);
// The box of a text from its style: as justified about the anchor.
TTextFrameBox JustifiedBox(std::string_view text, const TTextStyle& style);
// Text shapes for `text`, one per line, centred in `placed` and read in its direction.
void AddCentredText(TDrawing& drawing, TInk ink, std::string_view text, const TTextStyle& style,
                    const TPlacedText& placed, const TPageFrame& frame);
// One line of text at a sheet point, aligned as given.
TShape TextShape(TInk ink, std::string text, TSheetPoint at, int32_t size, int16_t angle,
                 TTextAlign along, TTextAlign across);

} // namespace pathwick::workbench::kicad
