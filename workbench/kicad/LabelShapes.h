// How net labels look and how much room they take.
#pragma once

#include "workbench/kicad/PageFrame.h"
#include "workbench/kicad/TextLayout.h"
#include "workbench/model/Drawing.h"

#include <string>
#include <string_view>

namespace pathwick::workbench::kicad {

enum class TLabelKind {
    Local,        // (label ...): the text just above the wire
    Global,       // (global_label ...): the text in an outline with points by shape
    Hierarchical, // (hierarchical_label ...) and a sheet box's pins: a small mark, then the text
    Directive,    // (directive_label ...) / (netclass_flag ...): a stick with a mark at its end
};

struct TLabelLook {
    TSheetRect Box; // what the label covers, from its anchor outward
    TDrawing Drawing;
};

// A label anchored (connected) at `anchor` whose body runs from there in
// direction `quarter` (0 +x, 1 +y, 2 -x, 3 -y). `shape` is the file's
// (shape ...): input, output, bidirectional, tri_state, passive, or for a
// directive label dot, round, diamond, rectangle. `stick` is a directive
// label's length (100 nm).
TLabelLook LabelLook(TLabelKind kind, std::string_view shape, std::string_view text,
                     const TTextStyle& style, TSheetPoint anchor, int quarter,
                     const TPageFrame& frame, TInk ink, int64_t stick = 0);

} // namespace pathwick::workbench::kicad
