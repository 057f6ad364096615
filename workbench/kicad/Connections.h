// Where wires meet: pins, wire ends and junctions of a sheet, for the
// junctions that new wires need and for checking how well a sheet was read.
#pragma once

#include "workbench/model/SheetDocument.h"

#include <set>
#include <vector>

namespace pathwick::workbench::kicad {

// A straight piece of wire from A to B.
struct TRun {
    TSheetPoint A;
    TSheetPoint B;
};

// The straight runs of a chain of points: consecutive segments in the same
// direction merge into one; segments of no length are dropped.
std::vector<TRun> StraightRuns(const std::vector<TSheetPoint>& points);

// Every point where the editor needs a junction for `added` runs to connect
// as drawn: where an added run's end meets the inside of another run or of a
// bus, or where three or more run ends and pins meet (the inside of a run
// counting as two ends). Runs of `sheet`'s wires other than `skip` count as
// existing; points that already hold a junction are left out. Sorted.
std::vector<TSheetPoint> JunctionsNeeded(const TSheetDocument& sheet,
                                         const std::vector<TRun>& added,
                                         const std::set<const TSheetObject*>& skip);

struct TWireEndShare {
    int Ends = 0;      // two per wire
    int Connected = 0; // of them, on a pin or on another wire's end
    double Percent() const { return Ends == 0 ? 100.0 : 100.0 * Connected / Ends; }
};

// How many wire ends land exactly on a pin or on another wire's end: a
// check of how the sheet's geometry was read.
TWireEndShare MeasureWireEnds(const TSheetDocument& sheet);

// The connection points of the pins that the sheet's symbols show now
// (their current part and view; hidden pins included).
std::vector<TSheetPoint> PinPoints(const TSheetDocument& sheet);

} // namespace pathwick::workbench::kicad
