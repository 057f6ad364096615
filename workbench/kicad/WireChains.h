// A designer's wires joined end to end: what a user drew as one connection.
#pragma once

#include "workbench/model/SheetDocument.h"

#include <cstddef>
#include <vector>

namespace pathwick::workbench::kicad {

// A chain of wires from A to B, and the positions in the sheet's object list
// of its wires and of the junctions at its two ends: what to take out to
// draw the connection again.
struct TWireChain {
    TSheetPoint A;
    TSheetPoint B;
    std::vector<std::size_t> Objects;
};

// The chains of a sheet's wires, joined end to end at points where exactly
// two wire ends meet and no pin or junction lies, in the order of their first
// wire. Closed loops are left out.
std::vector<TWireChain> WireChains(const TSheetDocument& sheet);

} // namespace pathwick::workbench::kicad
