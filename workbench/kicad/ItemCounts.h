// What a schematic file holds, counted as it is read.
#pragma once

namespace pathwick::workbench::kicad {

struct TItemCounts {
    int Symbols = 0; // placed symbols
    int Pins = 0;    // pins of the placed symbols' units and body styles, hidden ones included
    int Sheets = 0;  // hierarchical sheet boxes
    int SheetPins = 0;
    int Wires = 0;
    int Buses = 0;
    int BusEntries = 0;
    int Labels = 0; // net, global, hierarchical and directive labels
    int Junctions = 0;
    int NoConnects = 0;
    int Texts = 0;    // free texts and text boxes
    int Graphics = 0; // lines, shapes and images on the page
};

} // namespace pathwick::workbench::kicad
