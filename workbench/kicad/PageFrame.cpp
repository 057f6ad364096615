#include "workbench/kicad/PageFrame.h"

#include "workbench/kicad/KicadUnits.h"

#include <array>
#include <limits>
#include <stdexcept>

namespace pathwick::workbench::kicad {

namespace {

struct TPaper {
    const char* Name;
    int64_t Width; // landscape, 100 nm
    int64_t Height;
};

constexpr int64_t Mm = 10000;
constexpr int64_t Inch = 254000;

constexpr std::array<TPaper, 14> Papers = {{
    {"A5", 210 * Mm, 148 * Mm},
    {"A4", 297 * Mm, 210 * Mm},
    {"A3", 420 * Mm, 297 * Mm},
    {"A2", 594 * Mm, 420 * Mm},
    {"A1", 841 * Mm, 594 * Mm},
    {"A0", 1189 * Mm, 841 * Mm},
    {"A", 11 * Inch, 17 * Inch / 2},
    {"B", 17 * Inch, 11 * Inch},
    {"C", 22 * Inch, 17 * Inch},
    {"D", 34 * Inch, 22 * Inch},
    {"E", 44 * Inch, 34 * Inch},
    {"USLetter", 11 * Inch, 17 * Inch / 2},
    {"USLegal", 14 * Inch, 17 * Inch / 2},
    {"USLedger", 17 * Inch, 11 * Inch},
}};

int32_t ToInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw std::out_of_range("lies beyond the range of sheet coordinates (about 2.7 m)");
    return static_cast<int32_t>(value);
}

// The page side in sheet units, rounded up to whole grid steps.
int32_t RoundedSide(int64_t length) {
    const int64_t units = UnitsFromFile(length);
    const int64_t steps = (units + GridUnits - 1) / GridUnits;
    return ToInt32(steps * GridUnits);
}

} // namespace

TPageFrame::TPageFrame(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("the page has no area");
    try {
        width_ = RoundedSide(width);
        height_ = RoundedSide(height);
    } catch (const std::out_of_range&) {
        throw std::invalid_argument("the page is too large for 32-bit sheet coordinates");
    }
}

bool TPageFrame::PaperSize(const std::string& name, int64_t& width, int64_t& height) {
    for (const TPaper& paper : Papers) {
        if (name == paper.Name) {
            width = paper.Width;
            height = paper.Height;
            return true;
        }
    }
    return false;
}

TSheetPoint TPageFrame::ToSheet(TFilePoint p) const {
    return {ToInt32(UnitsFromFile(p.X)), ToInt32(int64_t{height_} - UnitsFromFile(p.Y))};
}

TFilePoint TPageFrame::ToFile(TSheetPoint p) const {
    return {FileFromUnits(p.X), FileFromUnits(int64_t{height_} - p.Y)};
}

int32_t TPageFrame::LengthToSheet(int64_t length) const {
    return ToInt32(UnitsFromFile(length));
}

} // namespace pathwick::workbench::kicad
