// Input at the edges of what the types hold, through the session code that
// the exports run (linked in, so the test drives its clock) and through the
// router itself: each gives a result or a clear refusal, never a crash, a
// hang or a broken wire.
#include "tests/support/ModuleHost.h"
#include "tests/support/PathChecks.h"
#include "tests/support/SheetTree.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"
#include "host/ClientLookup.h"
#include "host/HostCall.h"
#include "options/RouteOptions.h"
#include "platform/system/TickCount.h"
#include "plugin/MainApp.h"
#include "router/EdgeRouter.h"
#include "workbench/model/HostObject.h"
#include "workbench/model/SheetObjects.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace pathwick::test {
namespace {

using namespace workbench;
using Points = std::vector<TSheetPoint>;

class ExtremeInput : public ::testing::Test {
protected:
    void SetUp() override {
        Module().Destroy();
        Host().Reset();
        Host().SetPreferenceLocation(PreferenceFolder());
        SetModuleClient(&Host().Client());
        // One millisecond per reading: a search's budget is a count of steps.
        SetTickSource([this] { return ++ticks_; });
        options_ = std::make_unique<TRouteOptions>(PreferenceFolder());
        options_->TimeOut = 400;
        baseline_ = LiveHostObjectCount();
    }
    void TearDown() override {
        session_.reset();
        SetTickSource({});
        SetModuleClient(nullptr);
        sheet_ = nullptr;
        Host().Reset();
        Host().SetPreferenceLocation(PreferenceFolder());
        EXPECT_EQ(LiveHostObjectCount(), baseline_) << "a host object outlived the test";
    }
    TSheetDocument& NewSheet(int32_t width, int32_t height) {
        sheet_ = TSheetDocument::Create(width, height);
        Host().SetActiveDocument(sheet_.Get());
        return *sheet_;
    }
    void AddBody(TSheetRect body) {
        THostRef<TSymbol> symbol = TSymbol::Create(body);
        THostRef<TGraphic> rect = TGraphic::Create(kinds::Rectangle, body);
        symbol->AddChild(*rect);
        sheet_->AddObject(*symbol);
    }
    // Routes the wire's last segment; the wire is then either as placed or
    // ends in an orthogonal path between the two points.
    bool Route(TPolyline& wire) {
        const Points placed = wire.Vertices();
        const TSheetPoint from = placed[placed.size() - 2];
        const TSheetPoint to = placed.back();
        const bool routed = session_->RouteSegment(&wire, from, to, *options_);
        const Points now = wire.Vertices();
        if (!routed) {
            EXPECT_EQ(now, placed);
        } else {
            EXPECT_EQ(now.back(), to);
            EXPECT_TRUE(IsOrthogonal(
                Points(now.begin() + static_cast<std::ptrdiff_t>(placed.size() - 2), now.end())));
            EXPECT_TRUE(std::equal(placed.begin(), placed.end() - 2, now.begin()));
        }
        return routed;
    }

    void StartSession() {
        session_ = std::make_unique<TMainApp>(THostRef<ISch_Document>::Share(sheet_.Get()));
        session_->BuildObstacleTree(*options_);
    }

    THostRef<TSheetDocument> sheet_;
    std::unique_ptr<TRouteOptions> options_;
    std::unique_ptr<TMainApp> session_;
    uint32_t ticks_ = 0;
    std::size_t baseline_ = 0;
};

// A sheet as large as the type allows, with end points and bodies at the
// limits: sums and differences of such coordinates overflow 32 bits.
TEST_F(ExtremeInput, CoordinatesAtThe32BitLimits) {
    NewSheet(INT32_MAX, INT32_MAX);
    AddBody({INT32_MAX - 3000000, INT32_MAX - 3000000, INT32_MAX - 1000000, INT32_MAX - 1000000});
    AddBody({INT32_MIN, INT32_MIN, INT32_MIN + 1000000, INT32_MIN + 1000000});
    StartSession();
    const Points cases[] = {
        {{INT32_MAX - 4000000, INT32_MAX - 2000000}, {INT32_MAX, INT32_MAX - 2000000}},
        {{INT32_MAX, INT32_MAX}, {0, 0}},
        {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}},
        {{INT32_MIN, 0}, {INT32_MIN + 1, 0}},
        {{INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX - 1}},
    };
    int routed = 0;
    for (const Points& c : cases) {
        THostRef<TPolyline> wire = PlaceWire(*sheet_, c);
        routed += Route(*wire) ? 1 : 0;
    }
    // The first segment lies inside the sheet beside the body and must route.
    EXPECT_GE(routed, 1);
}

TEST_F(ExtremeInput, SheetOfZeroSizeRoutesNothingWithinIt) {
    NewSheet(0, 0);
    AddBody({-1000000, -1000000, 1000000, 1000000});
    StartSession();
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {{0, 0}, {0, 0}});
    Route(*wire);
    THostRef<TPolyline> outside = PlaceWire(*sheet_, {{-5000000, 0}, {5000000, 3000000}});
    Route(*outside);
}

// Inverted bodies are taken as they are: the module neither crashes nor
// writes a broken wire, whatever it makes of them.
TEST_F(ExtremeInput, InvertedRectanglesOnTheSheet) {
    NewSheet(20000000, 20000000);
    AddBody({12000000, 12000000, 8000000, 8000000});
    AddBody({2000000, 15000000, 4000000, 5000000});
    THostRef<TGraphic> line =
        TGraphic::Create(kinds::Line, {18000000, 1000000, 17000000, 19000000});
    sheet_->AddObject(*line);
    StartSession();
    THostRef<TPolyline> wire = PlaceWire(*sheet_, {{1000000, 10000000}, {19000000, 10000000}});
    EXPECT_TRUE(Route(*wire));
}

// 200 000 obstacles as an editor lists a dense sheet: row by row from the
// bottom, left to right in each row (a 500 x 400 grid of small squares,
// 200 000 units apart), straight into the tree. Each row in x order makes a
// list-like branch; building the tree, routing across the grid and freeing it
// must neither recurse to that depth nor take long.
TEST_F(ExtremeInput, TwoHundredThousandObstaclesInSortedOrder) {
    constexpr int32_t kColumns = 500, kRows = 400, kStep = 200000;
    NewSheet(kColumns * kStep + 2000000, kRows * kStep + 2000000);
    // Every step of the search clips its rays against all 200 000 leaves.
    options_->TimeOut = 10;
    auto tree = std::make_unique<TObstacleTree>(SheetExtent(*sheet_));
    for (int32_t row = 0; row < kRows; ++row)
        for (int32_t column = 0; column < kColumns; ++column) {
            const int32_t x = 1000000 + column * kStep, y = 1000000 + row * kStep;
            TBoundingRect r;
            r.SetRect({x - 50000, y - 50000, x + 50000, y + 50000});
            tree->AddRect(r, kinds::Junction);
        }
    ASSERT_EQ(tree->LeafCount(), std::size_t{kColumns} * kRows);
    // Between two rows, along the open channel, from one side to the other.
    const int32_t y = 1000000 + 100 * kStep + kStep / 2;
    const TSheetPoint start{500000, y}, end{kColumns * kStep + 1500000, y + kStep};
    {
        const TRouterSettings settings{options_->TimeOut, options_->AvoidWiresPosition};
        TEdgeRouter router(start, end, settings, *tree, tree->Sheet, NewWorkbenchWire);
        THostRef<ISch_Wire> path = router.FindPath();
        EXPECT_TRUE(router.Stats().Forward.Ran);
    }
    tree.reset();
}

// A wire the user has placed 10 000 vertices on: all of them but the end are
// committed to the tree before its last segment routes, and they stay as placed.
TEST_F(ExtremeInput, WireOfTenThousandVertices) {
    NewSheet(200000000, 200000000);
    AddBody({150000000, 90000000, 160000000, 110000000});
    Points zigzag;
    for (int32_t i = 0; i < 9998; ++i)
        zigzag.push_back({1000000 + (i / 2) * 10000, (i % 4 < 2) ? 1000000 : 2000000});
    zigzag.push_back({140000000, 100000000});
    zigzag.push_back({170000000, 100000000});
    THostRef<TPolyline> wire = PlaceWire(*sheet_, zigzag);
    ASSERT_EQ(wire->Vertices().size(), 10000u);
    StartSession();
    EXPECT_TRUE(Route(*wire));
    EXPECT_GE(wire->Vertices().size(), 10000u);
}

// The router with the clock in the test's hand: the shortest and the longest
// time-out the settings allow, the clock wrapping during the search.
class ExtremeTimeOut : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override {
        Host().Reset();
        Host().SetPreferenceLocation(PreferenceFolder());
        sheet_ = TSheetDocument::Create(40000000, 40000000);
        // A comb of bodies that makes the search work for its result.
        for (int32_t i = 0; i < 12; ++i) {
            const TSheetRect body{4000000 + i * 2500000, 2000000 + (i % 2) * 6000000,
                                  5000000 + i * 2500000, 32000000 + (i % 2) * 6000000};
            THostRef<TGraphic> rect = TGraphic::Create(kinds::Rectangle, body);
            sheet_->AddObject(*rect);
        }
    }
    void TearDown() override {
        SetTickSource({});
        sheet_ = nullptr;
    }
    THostRef<TSheetDocument> sheet_;
};

TEST_P(ExtremeTimeOut, SearchEndsWithinItsBudgetOfDrivenTime) {
    const int32_t timeOut = GetParam();
    // Starts just before the 32-bit wrap and moves 250 ms per reading.
    uint64_t readings = 0;
    uint32_t now = UINT32_MAX - 1000;
    SetTickSource([&] {
        ++readings;
        now += 250;
        return now;
    });
    const TRouterSettings settings{timeOut, 1};
    std::unique_ptr<TObstacleTree> tree = BuildSheetTree(*sheet_);
    const TSheetPoint start{1000000, 20000000}, end{39000000, 20000000};
    TEdgeRouter router(start, end, settings, *tree, tree->Sheet, NewWorkbenchWire);
    THostRef<ISch_Wire> path = router.FindPath();
    // Each search reads the clock about once per step; its budget of
    // timeOut ms is spent after timeOut / 250 readings, plus the two starts.
    std::printf("time-out %d: %llu clock readings, %llu + %llu search steps\n", timeOut,
                static_cast<unsigned long long>(readings),
                static_cast<unsigned long long>(router.Stats().Forward.Nodes),
                static_cast<unsigned long long>(router.Stats().Reverse.Nodes));
    EXPECT_LE(readings, 2 * (static_cast<uint64_t>(timeOut) / 250 + 1) + 50);
    if (timeOut == 1) {
        EXPECT_TRUE(router.Stats().Forward.StoppedByBudget || router.Stats().Forward.Completed);
    }
    if (path) {
        int32_t count = 0;
        HostCall(path->GetVertexCount(&count));
        Points v;
        for (int32_t i = 1; i <= count; ++i) {
            TSheetPoint p;
            HostCall(path->GetVertex(i, &p));
            v.push_back(p);
        }
        EXPECT_EQ(v.front(), end);
        EXPECT_EQ(v.back(), start);
        EXPECT_TRUE(IsOrthogonal(v));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, ExtremeTimeOut, ::testing::Values(1, 600000));

// Found by fuzzing: -1 is what the path builder's no-point sentinel holds, and
// a path along y = -1 (just below the sheet) lost its start point, leaving a
// one-vertex path that would have cut the user's wire short.
TEST_F(ExtremeTimeOut, PathAlongMinusOneKeepsBothEndPoints) {
    SetTickSource([] { return 1000u; });
    const TRouterSettings settings{600000, 1}; // as the test host's Router.ini
    TObstacleTree tree(SheetExtent(*sheet_));
    const Points cases[] = {
        {{899999, -1}, {1499999, -1}}, {{-1, 5000000}, {-1, 9000000}}, {{-1, -1}, {3000000, -1}}};
    for (const Points& c : cases) {
        TEdgeRouter router(c[0], c[1], settings, tree, tree.Sheet, NewWorkbenchWire);
        THostRef<ISch_Wire> path = router.FindPath();
        ASSERT_TRUE(path);
        int32_t count = 0;
        HostCall(path->GetVertexCount(&count));
        ASSERT_GE(count, 2);
        TSheetPoint first, last;
        HostCall(path->GetVertex(1, &first));
        HostCall(path->GetVertex(count, &last));
        EXPECT_EQ(first, c[1]);
        EXPECT_EQ(last, c[0]);
    }
}

} // namespace
} // namespace pathwick::test
