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

constexpr int64_t kMm = 10000;
constexpr int64_t kInch = 254000;

constexpr std::array<TPaper, 14> kPapers = {{
    {"A5", 210 * kMm, 148 * kMm},
    {"A4", 297 * kMm, 210 * kMm},
    {"A3", 420 * kMm, 297 * kMm},
    {"A2", 594 * kMm, 420 * kMm},
    {"A1", 841 * kMm, 594 * kMm},
    {"A0", 1189 * kMm, 841 * kMm},
    {"A", 11 * kInch, 17 * kInch / 2},
    {"B", 17 * kInch, 11 * kInch},
    {"C", 22 * kInch, 17 * kInch},
    {"D", 34 * kInch, 22 * kInch},
    {"E", 44 * kInch, 34 * kInch},
    {"USLetter", 11 * kInch, 17 * kInch / 2},
    {"USLegal", 14 * kInch, 17 * kInch / 2},
    {"USLedger", 17 * kInch, 11 * kInch},
}};

int32_t ToInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw std::out_of_range("lies beyond the range of sheet coordinates (about 2.7 m)");
    return static_cast<int32_t>(value);
}

// The page side in sheet units, rounded up to whole grid steps.
int32_t RoundedSide(int64_t length) {
    const int64_t units = UnitsFromFile(length);
    const int64_t steps = (units + kGridUnits - 1) / kGridUnits;
    return ToInt32(steps * kGridUnits);
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
    for (const TPaper& paper : kPapers) {
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
