// Lengths, the page's flip and the placement of library points.
#include "workbench/kicad/KicadUnits.h"
#include "workbench/kicad/PageFrame.h"
#include "workbench/kicad/SymbolTransform.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pathwick::workbench::kicad {
namespace {

TEST(KicadUnits, MillimetresAreReadAsExactTenthsOfMicrons) {
    struct TCase {
        const char* Text;
        int64_t Value;
    };
    const TCase cases[] = {
        {"0", 0},
        {"12.7", 127000},
        {"-2.54", -25400},
        {"+1", 10000},
        {"0.0001", 1},
        {".5", 5000},
        {"3.", 30000},
        {"-0", 0},
        {"0.00005", 1},
        {"0.00004", 0},
        {"-0.00005", -1},
        {"1.234567", 12346},
        {"105.9175", 1059175},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ParseMillimetres(c.Text), c.Value) << c.Text;
    for (const char* bad : {"", "-", ".", "1e3", "1.2.3", "12a", " 1", "0x10", "100000001"})
        EXPECT_THROW(ParseMillimetres(bad), std::invalid_argument) << bad;
}

TEST(KicadUnits, MillimetresAreWrittenWithoutTrailingZeros) {
    struct TCase {
        int64_t Value;
        const char* Text;
    };
    const TCase cases[] = {
        {0, "0"},      {127000, "12.7"}, {-25400, "-2.54"},  {10000, "1"},
        {1, "0.0001"}, {-1, "-0.0001"},  {1016000, "101.6"}, {1059175, "105.9175"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FormatMillimetres(c.Value), c.Text) << c.Value;
}

TEST(KicadUnits, FiftyMilIsOneSnapStepAndEveryFileLengthComesBack) {
    EXPECT_EQ(UnitsFromFile(12700), GridUnits);
    EXPECT_EQ(UnitsFromFile(127), 10000); // 0.5 mil, exact
    EXPECT_EQ(UnitsFromFile(1), 79);      // 78.74 rounded
    EXPECT_EQ(UnitsFromFile(-1), -79);
    for (int64_t n = -400000; n <= 400000; ++n)
        ASSERT_EQ(FileFromUnits(UnitsFromFile(n)), n) << n;
}

TEST(PageFrame, FlipsAboutTheHeightRoundedUpToTheGrid) {
    // A4 landscape: 297 x 210 mm; 210 mm is 165.35 grid steps.
    int64_t w = 0;
    int64_t h = 0;
    ASSERT_TRUE(TPageFrame::PaperSize("A4", w, h));
    const TPageFrame frame(w, h);
    EXPECT_EQ(frame.Width(), 234000000);
    EXPECT_EQ(frame.Height(), 166000000);
    EXPECT_EQ(frame.ToSheet({0, 0}), (TSheetPoint{0, 166000000}));
    // A point on the editor's grid lies on the router's lines.
    const TSheetPoint p = frame.ToSheet({12700 * 7, 12700 * 3});
    EXPECT_EQ(p, (TSheetPoint{7000000, 163000000}));
    EXPECT_EQ(frame.ToFile(p), (TFilePoint{12700 * 7, 12700 * 3}));
    EXPECT_FALSE(TPageFrame::PaperSize("A9", w, h));
    EXPECT_THROW(TPageFrame(40000000, 10000), std::invalid_argument); // 4 m
    EXPECT_THROW(TPageFrame(0, 10000), std::invalid_argument);
    EXPECT_THROW(frame.ToSheet({-30000000, 0}), std::out_of_range);
}

TEST(SymbolTransform, RotatesCounterClockwiseThenMirrors) {
    struct TCase {
        int Angle;
        bool MirrorX, MirrorY;
        int64_t X, Y;   // where library (1, 2) goes, y up
        int PinQuarter; // where a pin pointing +x (angle 0) then points
    };
    const TCase cases[] = {
        {0, false, false, 1, 2, 0},     {90, false, false, -2, 1, 1},
        {180, false, false, -1, -2, 2}, {270, false, false, 2, -1, 3},
        {-90, false, false, 2, -1, 3},  {0, true, false, 1, -2, 0},
        {0, false, true, -1, 2, 2},     {90, true, false, -2, -1, 3},
        {90, false, true, 2, 1, 1},
    };
    for (const TCase& c : cases) {
        const TSymbolTransform t(c.Angle, c.MirrorX, c.MirrorY);
        int64_t x = 0;
        int64_t y = 0;
        t.Apply(1, 2, x, y);
        EXPECT_EQ(x, c.X) << c.Angle << c.MirrorX << c.MirrorY;
        EXPECT_EQ(y, c.Y) << c.Angle << c.MirrorX << c.MirrorY;
        EXPECT_EQ(t.Quarter(0), c.PinQuarter) << c.Angle << c.MirrorX << c.MirrorY;
    }
    EXPECT_THROW(TSymbolTransform(45, false, false), std::invalid_argument);
}

TEST(SymbolTransform, LibraryPointsLandAroundThePlacementWithYDown) {
    int64_t w = 0;
    int64_t h = 0;
    TPageFrame::PaperSize("A4", w, h);
    const TPageFrame frame(w, h);
    // Placed at (100, 50) mm, turned 90 degrees: library (0, 3.81) (above
    // the origin) turns to the left of it.
    const TPlacement placement(frame, {1000000, 500000}, TSymbolTransform(90, false, false));
    EXPECT_EQ(placement.ToPage(0, 38100), (TFilePoint{1000000 - 38100, 500000}));
    // Library (2.54, 0) turns up the page: y gets smaller.
    EXPECT_EQ(placement.ToPage(25400, 0), (TFilePoint{1000000, 500000 - 25400}));
    EXPECT_EQ(placement.Quarter(270), 0); // a pin pointing down now points right
}

} // namespace
} // namespace pathwick::workbench::kicad
