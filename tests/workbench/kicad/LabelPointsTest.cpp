// Where labels stand for the router, and how points are given on a schematic.
#include "tests/support/TempFolder.h"
#include "workbench/cli/SheetSource.h"
#include "workbench/kicad/LabelShapes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pathwick::workbench::kicad {
namespace {

// A label anchored at (50, 50) mm on an A4 page: its box starts at the
// anchor and runs in the label's direction; a net label's box stays off the
// wire's line, the others are centred on it.
TEST(LabelShapes, BoxesRunFromTheAnchorInTheLabelsDirection) {
    int64_t w = 0;
    int64_t h = 0;
    TPageFrame::PaperSize("A4", w, h);
    const TPageFrame frame(w, h);
    const TSheetPoint a = frame.ToSheet({500000, 500000});
    const TTextStyle style; // 1.27 mm
    for (const TLabelKind kind :
         {TLabelKind::Local, TLabelKind::Global, TLabelKind::Hierarchical, TLabelKind::Directive}) {
        for (int q = 0; q < 4; ++q) {
            SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " quarter " << q);
            const TSheetRect box =
                LabelLook(kind, "input", "CLK", style, a, q, frame, TInk::Label, 25400).Box;
            // The side at the anchor, and the extent beyond it.
            const int32_t near[4] = {box.Left, box.Bottom, box.Right, box.Top};
            const int32_t far[4] = {box.Right, box.Top, box.Left, box.Bottom};
            EXPECT_EQ(near[q], q % 2 == 0 ? a.X : a.Y);
            EXPECT_GT(std::abs(far[q] - near[q]), 1000000);
            const int32_t low = q % 2 == 0 ? box.Bottom : box.Left;
            const int32_t high = q % 2 == 0 ? box.Top : box.Right;
            const int32_t line = q % 2 == 0 ? a.Y : a.X;
            if (kind == TLabelKind::Local) // above a level wire, left of an upright one
                EXPECT_TRUE(q % 2 == 0 ? low > line : high < line);
            else
                EXPECT_TRUE(low < line && line < high);
        }
    }
}

const char* const kSchematic = "(kicad_sch (version 20211123) (paper \"A4\"))";

TEST(SheetSource, PointsAreTheEditorsMillimetresYDown) {
    const test::TTempFolder folder;
    const std::string path = folder.File("empty.kicad_sch");
    test::WriteAll(path, kSchematic);
    const TSheetSource source = TSheetSource::Open(path);
    ASSERT_NE(source.Kicad(), nullptr);
    // 50 mil steps from the top-left corner; the page is 166 steps high.
    EXPECT_EQ(source.ParsePoint("1.27, 2.54"), (TSheetPoint{1000000, 164000000}));
    EXPECT_EQ(source.ParsePoint("101.6,50.8"), (TSheetPoint{80000000, 126000000}));
    EXPECT_EQ(source.FormatPoint({80000000, 126000000}), "(101.6,50.8)");
    EXPECT_EQ(source.FormatLength(1000000), "1.27 mm");
    for (const char* bad : {"1.27", "1,2,3", "a,1", "1e2,1", "400,10", "10,-1"})
        EXPECT_THROW(source.ParsePoint(bad), std::invalid_argument) << bad;
    try {
        source.ParsePoint("400,10");
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "point (400,10) is off the sheet (0,0)-(297.18,210.82)");
    }
}

} // namespace
} // namespace pathwick::workbench::kicad
