// The designer's wire chains: wire pieces joined end to end through points
// where exactly two wire ends and nothing else meet.
#pragma once

#include "bench/quality/SheetNets.h"
#include "workbench/model/Polyline.h"

#include <cstddef>
#include <vector>

namespace pathwick::quality {

struct TWireChain {
    std::vector<const workbench::TPolyline*> Wires; // in order from the first point
    std::vector<TSheetPoint> Points;                // the chain's vertices, end to end
    std::size_t FileOrder = 0;                      // file position of its earliest wire
    int Net = -1;                                   // in the sheet's nets

    TSheetPoint From() const { return Points.front(); }
    TSheetPoint To() const { return Points.back(); }
};

struct TChainSet {
    std::vector<TWireChain> Chains; // in file order
    int Loops = 0;                  // closed chains without ends, left out
    int SamePoint = 0;              // chains whose two ends coincide, left out
};

// Every chain of the sheet's wires (kind 18), in the order of their earliest
// wire in the file; each chain runs from the end nearer that wire. Wires of
// no length are not part of any chain; they count as something else at
// their point.
TChainSet FindWireChains(const workbench::TSheetDocument& sheet, const TSheetNets& nets);

} // namespace pathwick::quality
