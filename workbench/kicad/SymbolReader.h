// Placed symbols of a schematic file, and its hierarchical sheet boxes.
#pragma once

#include "workbench/kicad/ItemCounts.h"
#include "workbench/kicad/LibrarySymbols.h"
#include "workbench/model/SheetDocument.h"

namespace pathwick::workbench::kicad {

// A placed (symbol ...): a workbench symbol whose children are the pins and
// body graphics of its unit and body style, with the designator (Reference)
// as its label; every other visible field becomes a free-standing text on
// the sheet, so that a field never widens the symbol's own obstacle.
void ReadPlacedSymbol(const TReadContext& context, const TLibrarySymbols& library,
                      const TSexpr& item, TSheetDocument& sheet, TItemCounts& counts);

// A hierarchical (sheet ...): a symbol made of its box and its pins (leads
// of no length on the box's edge), with the sheet's name as its label and
// the file name as a free-standing text.
void ReadSheetBox(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet,
                  TItemCounts& counts);

} // namespace pathwick::workbench::kicad
