// The page of a schematic file and how its points become sheet points.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <string>

namespace pathwick::workbench::kicad {

// A point as the file gives it: 100 nm from the page's top-left corner, y down.
struct TFilePoint {
    int64_t X = 0;
    int64_t Y = 0;
    friend bool operator==(const TFilePoint&, const TFilePoint&) = default;
};

// The page's size, rounded up to whole grid steps, is the sheet's size, and
// y is flipped about that rounded height: the editor's grid lines, counted
// from the page's top-left corner, become the router's snap lines.
class TPageFrame {
public:
    // A page of this size in 100 nm. Throws std::invalid_argument when the
    // page is empty or too large for 32-bit sheet coordinates.
    TPageFrame(int64_t width, int64_t height);

    // Size of a named paper ("A4", "USLetter", ...) in landscape, in 100 nm;
    // false for an unknown name.
    static bool PaperSize(const std::string& name, int64_t& width, int64_t& height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    // Throws std::out_of_range when the point falls outside 32-bit sheet coordinates.
    TSheetPoint ToSheet(TFilePoint p) const;
    TFilePoint ToFile(TSheetPoint p) const;
    // A length (not a position): no flip. Throws std::out_of_range like ToSheet.
    int32_t LengthToSheet(int64_t length) const;

private:
    int32_t width_;
    int32_t height_;
};

} // namespace pathwick::workbench::kicad
