// The items that stand on a schematic page by themselves: wires, buses, bus
// entries, junctions, no-connect flags, labels, texts, drawings and images.
#pragma once

#include "workbench/kicad/ItemCounts.h"
#include "workbench/kicad/ReadContext.h"
#include "workbench/model/SheetDocument.h"

namespace pathwick::workbench::kicad {

// Reads one top-level item onto the sheet. False when the item is not one of
// these (a symbol, a sheet box, or anything the sheet model has no use for).
bool ReadSheetItem(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet,
                   TItemCounts& counts);

} // namespace pathwick::workbench::kicad
