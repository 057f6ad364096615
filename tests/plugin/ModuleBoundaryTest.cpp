// The module driven through its exports from a host process, as an editor drives it.
#include "tests/support/ModuleHost.h"
#include "tests/support/PathChecks.h"

#include "workbench/model/HostObject.h"

#include <gtest/gtest.h>

namespace pathwick::test {
namespace {

using namespace workbench;

constexpr TSheetRect kBody{8000000, 8000000, 12000000, 12000000};
const TSheetPoint kLeft{4000000, 10000000};
const TSheetPoint kRight{16000000, 10000000};
const TSheetPoint kInsideBody{10000000, 10000000};

class ModuleBoundary : public ::testing::Test {
protected:
    void SetUp() override {
        Module();
        Module().Destroy();
        Host().Reset();
        Host().Faults().SetPerObjectCounts(true);
        sheet_ = MakeSmallSheet();
        Host().SetActiveDocument(sheet_.Get());
        baseline_ = LiveHostObjectCount();
    }
    void TearDown() override {
        Module().Destroy();
        Host().Reset();
    }
    uint64_t DocumentWalks() const {
        return Host().Faults().CallCount("NewObjectEnumerator", sheet_->Id());
    }
    bool Execute(TPolyline& wire, TSheetPoint from, TSheetPoint to) {
        return Module().Execute(&wire, from.X, from.Y, to.X, to.Y) != 0;
    }

    THostRef<TSheetDocument> sheet_;
    std::size_t baseline_ = 0;
};

TEST_F(ModuleBoundary, ExecuteWithoutSessionChangesNothing) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    EXPECT_FALSE(Execute(*wire, kLeft, kRight));
    EXPECT_EQ(wire->Vertices(), (std::vector<TSheetPoint>{kLeft, kRight}));
    EXPECT_EQ(Host().Faults().CallCount(), 0u);
}

TEST_F(ModuleBoundary, RoutesRoundASymbolBody) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    Module().Create();
    ASSERT_TRUE(Execute(*wire, kLeft, kRight));
    const std::vector<TSheetPoint> path = wire->Vertices();
    ASSERT_GE(path.size(), 4u) << "a straight run would cut the body";
    EXPECT_EQ(path.front(), kLeft);
    EXPECT_EQ(path.back(), kRight);
    EXPECT_TRUE(IsOrthogonal(path));
    EXPECT_FALSE(EntersInside(path, kBody));
}

TEST_F(ModuleBoundary, SecondSegmentOfTheSameWireAfterASuccess) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    Module().Create();
    ASSERT_TRUE(Execute(*wire, kLeft, kRight));
    std::vector<TSheetPoint> placed = wire->Vertices();
    const std::size_t kept = placed.size() - 1;
    const TSheetPoint next{16000000, 2000000};
    placed.push_back(next);
    wire->SetVertices(placed);
    ASSERT_TRUE(Execute(*wire, kRight, next));
    const std::vector<TSheetPoint> after = wire->Vertices();
    ASSERT_GT(after.size(), kept);
    EXPECT_TRUE(std::equal(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(kept),
                           after.begin()));
    EXPECT_EQ(after.back(), next);
    EXPECT_TRUE(IsOrthogonal(after));
}

TEST_F(ModuleBoundary, CreateTwiceBuildsOnceAndRecreateRebuilds) {
    Module().Create();
    Module().Create();
    EXPECT_EQ(DocumentWalks(), 1u);
    Module().Destroy();
    Module().Create();
    EXPECT_EQ(DocumentWalks(), 2u);
}

TEST_F(ModuleBoundary, MismatchedEndPointsLeaveTheWireAlone) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    Module().Create();
    EXPECT_FALSE(Execute(*wire, kRight, kLeft));
    EXPECT_EQ(wire->Vertices(), (std::vector<TSheetPoint>{kLeft, kRight}));
    EXPECT_TRUE(Host().Service().MadeObjectIds().empty());
}

TEST_F(ModuleBoundary, BlockedEndPointFailsAndLaterRequestsCopyNothingNew) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kInsideBody});
    Module().Create();
    EXPECT_FALSE(Execute(*wire, kLeft, kInsideBody));
    EXPECT_EQ(wire->Vertices(), (std::vector<TSheetPoint>{kLeft, kInsideBody}));

    // Same wire, same vertices: the temporary wire gets its 50 pre-writes only.
    Host().Service().ClearMadeObjectIds();
    EXPECT_FALSE(Execute(*wire, kLeft, kInsideBody));
    ASSERT_FALSE(Host().Service().MadeObjectIds().empty());
    const uint64_t temporary = Host().Service().MadeObjectIds().front();
    EXPECT_EQ(Host().Faults().CallCount("SetVertex", temporary), 50u);
}

TEST_F(ModuleBoundary, PlacedVerticesAreCommittedOnceWithTheFiftyPreWrites) {
    const TSheetPoint p1{2000000, 2000000}, p2{2000000, 10000000};
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {p1, p2, kLeft, kRight});
    Module().Create();
    ASSERT_TRUE(Execute(*wire, kLeft, kRight));
    ASSERT_FALSE(Host().Service().MadeObjectIds().empty());
    const uint64_t temporary = Host().Service().MadeObjectIds().front();
    // P1, P2 and the start point are copied after the 50 pre-writes.
    EXPECT_EQ(Host().Faults().CallCount("SetVertex", temporary), 53u);
    const std::vector<TSheetPoint> after = wire->Vertices();
    EXPECT_EQ(after[0], p1);
    EXPECT_EQ(after[1], p2);
    EXPECT_EQ(after[2], kLeft);
    EXPECT_EQ(after.back(), kRight);
}

TEST_F(ModuleBoundary, NoDocumentRoutesNothing) {
    Host().SetActiveDocument(nullptr);
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    Module().Create();
    EXPECT_FALSE(Execute(*wire, kLeft, kRight));
    EXPECT_EQ(wire->Vertices(), (std::vector<TSheetPoint>{kLeft, kRight}));
}

TEST_F(ModuleBoundary, EmptyWireReferenceIsRefused) {
    Module().Create();
    EXPECT_EQ(Module().Execute(nullptr, 0, 0, 1, 1), 0);
}

TEST_F(ModuleBoundary, WireOfOneVertexBecomesThePathAlone) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft});
    Module().Create();
    ASSERT_TRUE(Execute(*wire, kLeft, kRight));
    const std::vector<TSheetPoint> path = wire->Vertices();
    ASSERT_GE(path.size(), 2u);
    EXPECT_EQ(path.front(), kLeft);
    EXPECT_EQ(path.back(), kRight);
    EXPECT_TRUE(IsOrthogonal(path));
}

TEST_F(ModuleBoundary, EveryReferenceIsReleasedWhenTheSessionEnds) {
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {kLeft, kRight});
    THostRef<TPolyline> blocked = PlaceWire(*sheet_, {kLeft, kInsideBody});
    const std::size_t placed = LiveHostObjectCount();
    Module().Create();
    Execute(*wire, kLeft, kRight);
    Execute(*blocked, kLeft, kInsideBody);
    Module().Destroy();
    EXPECT_EQ(LiveHostObjectCount(), placed);
    EXPECT_EQ(wire->RefCount(), 2u); // the sheet's and ours
    EXPECT_EQ(blocked->RefCount(), 2u);
    EXPECT_EQ(sheet_->RefCount(), 2u); // ours and the active document's
}

} // namespace
} // namespace pathwick::test
