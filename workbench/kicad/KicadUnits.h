// Lengths of schematic files and the sheet units the router works in.
//
// The files give millimetres with at most four decimals: exact multiples of
// 100 nm, which is the editor's own unit, so they are read as integers of
// 100 nm and never as floating point. One sheet unit is 1/20 000 mil, so that
// 50 mil, the editor's grid, is 1 000 000 units: the router's snap step.
// 100 nm is 10 000/127 units; on the 0.5 mil lattice (127 x 100 nm = 10 000
// units) the conversion is exact, and every length read from a file converts
// back to the same 100 nm.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pathwick::workbench::kicad {

// Sheet units per 50 mil: the editor's grid and the router's snap step.
inline constexpr int32_t GridUnits = 1000000;
// |millimetres| accepted in a file; far beyond any page, and the products
// below stay well inside 64 bits.
inline constexpr int64_t MaxFileTenthsMicron = int64_t{100000} * 10000; // 100 m

// "12.7", "-0.0254", "5" as a count of 100 nm. More than four decimals are
// rounded to the nearest 100 nm (halves away from zero). Throws
// std::invalid_argument for text that is not a plain decimal number or
// lies beyond MaxFileTenthsMicron.
int64_t ParseMillimetres(std::string_view text);

// A count of 100 nm as the editor writes millimetres: no exponent, no
// trailing zeros, no decimal point for whole millimetres ("101.6", "0", "-2.54").
std::string FormatMillimetres(int64_t tenthsMicron);

// 100 nm to sheet units and back, each rounded to the nearest (halves away
// from zero). FileFromUnits(UnitsFromFile(n)) == n for every n.
int64_t UnitsFromFile(int64_t tenthsMicron);
int64_t FileFromUnits(int64_t units);

} // namespace pathwick::workbench::kicad
