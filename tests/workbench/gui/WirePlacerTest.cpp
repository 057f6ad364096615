#include "workbench/gui/WirePlacer.h"

#include "tests/support/ModuleHost.h"
#include "workbench/model/WorkbenchHost.h"

#include <gtest/gtest.h>

namespace pathwick::workbench {
namespace {

using TKind = TClickOutcome::TKind;
using TPoints = std::vector<TSheetPoint>;

bool OnSheet(const TSheetDocument& sheet, const TPolyline* wire) {
    for (const auto& object : sheet.Objects())
        if (object.Get() == wire)
            return true;
    return false;
}

TEST(WirePlacer, WithoutAModuleSegmentsArePlacedWithOneCornerAndUnrouted) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    TWirePlacer placer(*sheet, nullptr);
    EXPECT_EQ(placer.Click({1000000, 1000000}).Kind, TKind::Started);
    TPolyline* wire = placer.CurrentWire();
    ASSERT_TRUE(wire);
    EXPECT_TRUE(OnSheet(*sheet, wire));
    // A click on the segment's own start places nothing.
    EXPECT_EQ(placer.Click({1000000, 1000000}).Kind, TKind::Ignored);
    EXPECT_FALSE(placer.CanUndo());
    const TClickOutcome second = placer.Click({5000000, 3000000});
    EXPECT_EQ(second.Kind, TKind::NotRouted);
    EXPECT_EQ(second.From, (TSheetPoint{1000000, 1000000}));
    placer.Click({5000000, 9000000});
    // A horizontal run, then a vertical one; a vertical segment stays one run.
    EXPECT_EQ(
        wire->Vertices(),
        (TPoints{{1000000, 1000000}, {5000000, 1000000}, {5000000, 3000000}, {5000000, 9000000}}));
    EXPECT_EQ(wire->UnroutedSegments(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(placer.SegmentStart(), (TSheetPoint{5000000, 9000000}));
    // Undo takes back the whole placed segment, corner and marks included.
    ASSERT_TRUE(placer.Undo());
    EXPECT_EQ(wire->Vertices(),
              (TPoints{{1000000, 1000000}, {5000000, 1000000}, {5000000, 3000000}}));
    EXPECT_EQ(wire->UnroutedSegments(), (std::vector<int32_t>{1, 2}));
}

TEST(WirePlacer, EndingAWireWithoutSegmentsRemovesIt) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    TWirePlacer placer(*sheet, nullptr);
    placer.Click({1000000, 1000000});
    placer.EndWire();
    EXPECT_FALSE(placer.Placing());
    EXPECT_TRUE(sheet->Objects().empty());
    // A wire with a segment stays.
    placer.Click({1000000, 1000000});
    placer.Click({2000000, 1000000});
    placer.EndWire();
    EXPECT_EQ(sheet->Objects().size(), 1u);
    EXPECT_FALSE(placer.SegmentStart());
}

TEST(WirePlacer, UndoTakesBackSegmentsNewestFirst) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    TWirePlacer placer(*sheet, nullptr);
    EXPECT_FALSE(placer.Undo());
    placer.Click({1000000, 1000000});
    placer.Click({3000000, 1000000});
    placer.Click({3000000, 4000000});
    THostRef<TPolyline> first = THostRef<TPolyline>::Share(placer.CurrentWire());
    placer.EndWire();
    placer.Click({8000000, 8000000}); // a second wire, not yet with a segment

    // The second wire never got a segment: it goes, and the first one loses its last.
    ASSERT_TRUE(placer.Undo());
    EXPECT_FALSE(placer.Placing());
    EXPECT_EQ(sheet->Objects().size(), 1u);
    EXPECT_EQ(first->Vertices(), (TPoints{{1000000, 1000000}, {3000000, 1000000}}));
    // Emptied to one vertex: the wire is removed.
    ASSERT_TRUE(placer.Undo());
    EXPECT_FALSE(OnSheet(*sheet, first.Get()));
    EXPECT_FALSE(placer.Undo());
}

TEST(WirePlacer, UndoWhilePlacingContinuesFromTheRestoredEnd) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    TWirePlacer placer(*sheet, nullptr);
    placer.Click({1000000, 1000000});
    placer.Click({3000000, 1000000});
    placer.Click({3000000, 4000000});
    ASSERT_TRUE(placer.Undo());
    ASSERT_TRUE(placer.Placing());
    EXPECT_EQ(placer.SegmentStart(), (TSheetPoint{3000000, 1000000}));
    placer.Click({6000000, 1000000});
    EXPECT_EQ(placer.CurrentWire()->Vertices(),
              (TPoints{{1000000, 1000000}, {3000000, 1000000}, {6000000, 1000000}}));
    ASSERT_TRUE(placer.Undo());
    ASSERT_TRUE(placer.Undo());
    EXPECT_FALSE(placer.Placing());
    EXPECT_TRUE(sheet->Objects().empty());
}

// A host error inside the module is caught at the call; the segment is placed
// with one corner and marked unrouted, and the next request routes again
// without disturbing the mark.
TEST(WirePlacer, AHostErrorInTheModulePlacesTheSegmentUnrouted) {
    TModule& module = test::Module();
    TWorkbenchHost& host = TWorkbenchHost::Instance();
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    host.SetActiveDocument(sheet.Get());
    module.Create();
    {
        TWirePlacer placer(*sheet, &module);
        placer.Click({2000000, 2000000});
        host.Faults().FailOperation("GetVertexCount");
        const TClickOutcome failed = placer.Click({9000000, 6000000});
        host.Faults().Reset();
        EXPECT_EQ(failed.Kind, TKind::Failed);
        EXPECT_FALSE(failed.Error.empty());
        EXPECT_EQ(placer.CurrentWire()->Vertices(),
                  (TPoints{{2000000, 2000000}, {9000000, 2000000}, {9000000, 6000000}}));

        const TClickOutcome routed = placer.Click({15000000, 15000000});
        EXPECT_EQ(routed.Kind, TKind::Routed);
        const TPoints after = placer.CurrentWire()->Vertices();
        ASSERT_GE(after.size(), 5u); // an orthogonal path needs a bend here
        EXPECT_EQ(after[2], (TSheetPoint{9000000, 6000000}));
        EXPECT_EQ(after.back(), (TSheetPoint{15000000, 15000000}));
        EXPECT_EQ(placer.CurrentWire()->UnroutedSegments(), (std::vector<int32_t>{1, 2}));
    }
    module.Destroy();
    host.SetActiveDocument(nullptr);
}

} // namespace
} // namespace pathwick::workbench
