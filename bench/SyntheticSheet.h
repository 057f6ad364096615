// Schematic-like sheets of a chosen size for the benchmark.
#pragma once

#include "host/HostTypes.h"
#include "workbench/model/SheetDocument.h"

#include <cstdint>
#include <vector>

namespace pathwick::bench {

// A sheet with its free connection points: pin ends that no wire reaches.
struct TSyntheticSheet {
    THostRef<workbench::TSheetDocument> Document;
    std::vector<TSheetPoint> FreePins;
    // Pairs of free pins on neighbouring symbols: the requests to route.
    std::vector<std::pair<TSheetPoint, TSheetPoint>> Requests;
};

// Symbols on the 1 000 000 grid in rows of cells: a body with two to six pins
// on its left and right sides, a designator above it, wires from pins to the
// neighbouring symbol's pins, net labels and junctions on some of them. The
// objects go into the document in a shuffled order, as a sheet edited by hand
// holds them. The same seed gives the same sheet.
TSyntheticSheet MakeSyntheticSheet(int symbols, uint32_t seed);

} // namespace pathwick::bench
