// A whole schematic file read into a workbench sheet.
#pragma once

#include "workbench/kicad/ItemCounts.h"
#include "workbench/kicad/PageFrame.h"
#include "workbench/kicad/SExpr.h"
#include "workbench/model/SheetDocument.h"

#include <optional>
#include <string>

namespace pathwick::workbench::kicad {

// The oldest format version read: the first files that the KiCad 6 release
// reads as its own (its demo sheets include files of this version).
inline constexpr int64_t OldestVersion = 20210406;

struct TSchematic {
    THostRef<TSheetDocument> Document;
    std::optional<TPageFrame> Frame;
    TItemCounts Counts;
    int64_t Version = 0;
};

// Reads the parsed file. Throws EKicadError naming `source` and the line.
TSchematic ReadSchematic(const TSexpr& root, const std::string& source);

} // namespace pathwick::workbench::kicad
