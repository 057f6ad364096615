#include "router/EdgeRouter.h"

#include "tests/support/SheetTree.h"

#include "host/HostCall.h"
#include "host/PolygonAccess.h"
#include "platform/system/TickCount.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pathwick {
namespace {

namespace wb = workbench;
using Points = std::vector<TSheetPoint>;

constexpr int32_t M = 1'000'000;

// The segment runs through the open inside of the rectangle.
bool CutsInside(TSheetPoint a, TSheetPoint b, const TSheetRect& r) {
    const int32_t x0 = std::min(a.X, b.X), x1 = std::max(a.X, b.X);
    const int32_t y0 = std::min(a.Y, b.Y), y1 = std::max(a.Y, b.Y);
    if (y0 == y1)
        return r.Bottom < y0 && y0 < r.Top && std::max(x0, r.Left) < std::min(x1, r.Right);
    return r.Left < x0 && x0 < r.Right && std::max(y0, r.Bottom) < std::min(y1, r.Top);
}

// What every routed path must be: end point first, start point last, made of
// axis-parallel segments of some length that stay out of the bodies.
void ExpectSoundPath(const Points& path, TSheetPoint start, TSheetPoint end,
                     const std::vector<TSheetRect>& bodies = {}) {
    ASSERT_GE(path.size(), 2u);
    EXPECT_EQ(path.front(), end);
    EXPECT_EQ(path.back(), start);
    for (std::size_t i = 1; i < path.size(); ++i) {
        const TSheetPoint a = path[i - 1], b = path[i];
        EXPECT_TRUE(a.X == b.X || a.Y == b.Y) << "diagonal segment " << i;
        EXPECT_FALSE(a == b) << "empty segment " << i;
        for (const TSheetRect& body : bodies)
            EXPECT_FALSE(CutsInside(a, b, body)) << "segment " << i << " crosses a body";
    }
}

class EdgeRouterTest : public ::testing::Test {
protected:
    void SetUp() override {
        Host().Reset();
        SetTickSource([this] {
            ++ticks_;
            return clock_ ? clock_(ticks_) : 1000u;
        });
        baseline_ = wb::LiveHostObjectCount();
    }
    void TearDown() override {
        tree_.reset();
        sheet_ = nullptr;
        Host().Reset();
        EXPECT_EQ(wb::LiveHostObjectCount(), baseline_) << "a host reference was not released";
        SetTickSource({});
    }

    static wb::TWorkbenchHost& Host() { return wb::TWorkbenchHost::Instance(); }

    void NewSheet(int32_t width, int32_t height) {
        sheet_ = wb::TSheetDocument::Create(width, height);
    }
    // A symbol whose body is one rectangle; returns the body.
    TSheetRect AddSymbol(TSheetRect body) {
        THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
        THostRef<wb::TGraphic> rect = wb::TGraphic::Create(wb::kinds::Rectangle, body);
        symbol->AddChild(*rect);
        sheet_->AddObject(*symbol);
        return body;
    }
    template <class T> void Place(const THostRef<T>& object) { sheet_->AddObject(*object); }
    TObstacleTree& BuildTree() {
        tree_ = test::BuildSheetTree(*sheet_);
        return *tree_;
    }

    // Routes on the tree as it stands; the path's vertices, empty for none.
    Points Route(TSheetPoint start, TSheetPoint end, TRouteStats* stats = nullptr) {
        TEdgeRouter router(start, end, settings_, *tree_, test::SheetExtent(*sheet_),
                           test::NewWorkbenchWire);
        THostRef<ISch_Wire> wire = router.FindPath();
        if (stats)
            *stats = router.Stats();
        EXPECT_EQ(static_cast<bool>(wire), router.Stats().Found);
        return wire ? Vertices(wire.Get()) : Points{};
    }

    THostRef<wb::TSheetDocument> sheet_;
    std::unique_ptr<TObstacleTree> tree_;
    TRouterSettings settings_{3000, 1}; // the settings file's defaults
    // Tick source: clock_(n) answers the n-th query; frozen at 1000 without one.
    std::function<uint32_t(uint64_t)> clock_;
    uint64_t ticks_ = 0;
    std::size_t baseline_ = 0;
};

TEST_F(EdgeRouterTest, DirectConnectionIsOneSegmentFromEndToStart) {
    NewSheet(40 * M, 30 * M);
    struct {
        TSheetPoint start, end;
        bool reverseChosen;
    } const cases[] = {
        // Arriving towards R or T is priced as heading for the target, the
        // other way round not: the cheaper search decides which line is used.
        {{5 * M, 15 * M}, {12 * M, 15 * M}, false},
        {{12 * M, 15 * M}, {5 * M, 15 * M}, true},
    };
    for (const auto& c : cases) {
        BuildTree();
        TRouteStats stats;
        const Points path = Route(c.start, c.end, &stats);
        EXPECT_EQ(path, (Points{c.end, c.start}));
        EXPECT_EQ(stats.ReverseChosen, c.reverseChosen);
        ASSERT_TRUE(stats.Forward.Best && stats.Reverse.Best);
        EXPECT_EQ(stats.Forward.Best->Moves, c.reverseChosen ? "L" : "R");
        EXPECT_EQ(stats.Reverse.Best->Moves, c.reverseChosen ? "R" : "L");
        EXPECT_TRUE(stats.Forward.Completed && stats.Reverse.Completed);
        // The tree keeps the last target: the end for the forward path.
        EXPECT_EQ(tree_->Target, c.reverseChosen ? c.start : c.end);
    }
    // Diagonal in open space: one corner; four guide lines stay per end point.
    TObstacleTree& tree = BuildTree();
    const std::size_t leaves = tree.LeafCount();
    const Points path = Route({5 * M, 5 * M}, {12 * M, 8 * M});
    ExpectSoundPath(path, {5 * M, 5 * M}, {12 * M, 8 * M});
    EXPECT_EQ(path.size(), 3u);
    EXPECT_EQ(tree.LeafCount(), leaves + 8);
}

TEST_F(EdgeRouterTest, RoutesRoundASymbolBody) {
    NewSheet(40 * M, 30 * M);
    const TSheetRect body = AddSymbol({15 * M, 10 * M, 25 * M, 20 * M});
    BuildTree();
    const TSheetPoint start{5 * M, 15 * M}, end{35 * M, 15 * M};
    TRouteStats stats;
    const Points path = Route(start, end, &stats);
    ExpectSoundPath(path, start, end, {body});
    EXPECT_GE(path.size(), 4u);
    EXPECT_TRUE(stats.Forward.Completed && stats.Reverse.Completed);
    EXPECT_GT(stats.Forward.Nodes, 1u);
}

TEST_F(EdgeRouterTest, CrossesAWireOnlyWhereItMustAndPaysForIt) {
    // A wire across the whole sheet between the two points.
    const TSheetPoint start{5 * M, 15 * M}, end{35 * M, 15 * M};
    int32_t totals[2] = {};
    const int32_t avoid[2] = {1, 10};
    for (int i = 0; i < 2; ++i) {
        NewSheet(40 * M, 30 * M);
        Place(wb::TPolyline::Create(wb::kinds::Wire, {{20 * M, 0}, {20 * M, 30 * M}}));
        BuildTree();
        settings_.AvoidWires = avoid[i];
        TRouteStats stats;
        const Points path = Route(start, end, &stats);
        ExpectSoundPath(path, start, end);
        int crossings = 0;
        for (std::size_t k = 1; k < path.size(); ++k) {
            const int32_t x0 = std::min(path[k - 1].X, path[k].X);
            const int32_t x1 = std::max(path[k - 1].X, path[k].X);
            crossings += (x0 < 20 * M && 20 * M < x1) ? 1 : 0;
        }
        EXPECT_EQ(crossings, 1);
        const std::optional<TBestPath>& best =
            stats.ReverseChosen ? stats.Reverse.Best : stats.Forward.Best;
        totals[i] = best ? best->Total : -1;
    }
    // Each crossing costs 50 per step of the wire weight.
    EXPECT_EQ(totals[1] - totals[0], 50 * (10 - 1));
}

TEST_F(EdgeRouterTest, NoPathWhenAnEndPointIsBlockedOrBothAreEqual) {
    NewSheet(40 * M, 30 * M);
    AddSymbol({15 * M, 10 * M, 25 * M, 20 * M});
    struct {
        const char* name;
        TSheetPoint start, end;
    } const cases[] = {
        {"start inside a body", {20 * M, 15 * M}, {35 * M, 15 * M}},
        {"end inside a body", {5 * M, 15 * M}, {20 * M, 12 * M}},
        {"start equals end", {5 * M, 5 * M}, {5 * M, 5 * M}},
    };
    for (const auto& c : cases) {
        BuildTree();
        TRouteStats stats;
        EXPECT_TRUE(Route(c.start, c.end, &stats).empty()) << c.name;
        EXPECT_FALSE(stats.Forward.Ran || stats.Reverse.Ran) << c.name;
        EXPECT_EQ(stats.TotalNodes(), 0u) << c.name;
    }
    // With the end in the sheet's corner its guide lines lie on the border, so
    // every run from the start reaches the border: neither search goes on.
    NewSheet(40 * M, 30 * M);
    BuildTree();
    TRouteStats stats;
    EXPECT_TRUE(Route({5 * M, 15 * M}, {40 * M, 30 * M}, &stats).empty());
    EXPECT_TRUE(stats.Forward.NoWayOut && stats.Reverse.NoWayOut);
    EXPECT_EQ(stats.TotalNodes(), 2u);
}

TEST_F(EdgeRouterTest, TheClockIsReadOnceBeforeEverySearchCall) {
    NewSheet(40 * M, 30 * M);
    AddSymbol({15 * M, 10 * M, 25 * M, 20 * M});
    BuildTree();
    TRouteStats stats;
    Route({5 * M, 15 * M}, {35 * M, 15 * M}, &stats);
    ASSERT_TRUE(stats.Forward.Ran && stats.Reverse.Ran);
    // Construction, the reverse search's start, and one TimeLeft per call.
    EXPECT_EQ(ticks_, 2 + stats.TotalNodes());

    // A clock that jumps refuses even the first call of each search.
    BuildTree();
    clock_ = [](uint64_t n) { return static_cast<uint32_t>(n * 100'000); };
    EXPECT_TRUE(Route({5 * M, 15 * M}, {12 * M, 15 * M}, &stats).empty());
    for (const TSearchOutcome* s : {&stats.Forward, &stats.Reverse}) {
        EXPECT_TRUE(s->Ran && s->StoppedByBudget && !s->Completed);
        EXPECT_EQ(s->Nodes, 1u);
        EXPECT_EQ(s->Rays, 0u);
    }
}

TEST_F(EdgeRouterTest, DirectHitsAreStillRecordedAfterTheBudgetIsSpent) {
    // The start and end lie on the top side of an obstacle, so the direct run
    // is expensive (weight 20 along a side); a short run up to a second
    // obstacle is cheaper and is tried first, but the clock has run out by
    // then and its branch never starts.
    NewSheet(40 * M, 30 * M);
    Place(wb::TGraphic::Create(wb::kinds::Text, {10 * M, 5 * M, 30 * M, 15 * M}));
    Place(wb::TGraphic::Create(wb::kinds::Text, {13 * M, 16 * M, 17 * M, 18 * M}));
    BuildTree();
    clock_ = [](uint64_t n) { return n <= 2 ? 0u : static_cast<uint32_t>(n * M); };
    const TSheetPoint start{15 * M, 15 * M}, end{19 * M, 15 * M};
    TRouteStats stats;
    const Points path = Route(start, end, &stats);
    EXPECT_EQ(path, (Points{end, start}));
    EXPECT_TRUE(stats.Forward.StoppedByBudget);
    EXPECT_EQ(stats.Forward.Nodes, 2u); // the root and the refused branch
    // 15 + 20 x 4 000 000 / 10 - 40, plus 100 for the one segment.
    EXPECT_EQ(stats.Forward.Line(), "R;8000075");
    EXPECT_EQ(stats.Reverse.Nodes, 1u);
    EXPECT_FALSE(stats.ReverseChosen);
}

TEST_F(EdgeRouterTest, HostFailuresLeaveFindPathAndReleaseEverything) {
    NewSheet(40 * M, 30 * M);
    BuildTree();
    Host().Faults().FailOperation("NewObject");
    EXPECT_THROW(Route({5 * M, 15 * M}, {12 * M, 15 * M}), EHostCallError);
    Host().Faults().ClearRules();
    Host().Faults().FailOperation("SetVertex");
    EXPECT_THROW(Route({5 * M, 16 * M}, {12 * M, 16 * M}), EHostCallError);
}

TEST_F(EdgeRouterTest, NoResultWireMeansNoPath) {
    NewSheet(40 * M, 30 * M);
    BuildTree();
    TEdgeRouter router({5 * M, 15 * M}, {12 * M, 15 * M}, settings_, *tree_,
                       test::SheetExtent(*sheet_), [] { return THostRef<ISch_Wire>(); });
    EXPECT_FALSE(router.FindPath());
    EXPECT_TRUE(router.Stats().Forward.Best);
    EXPECT_FALSE(router.Stats().Found);
}

// Thin full-height lines every 10 units between the points: each one stops a
// run, so the only path is one straight segment of one move per line.
TEST_F(EdgeRouterTest, AVeryLongPathNeedsNoDeepStack) {
    constexpr int32_t kLines = 2000;
    constexpr int32_t kSpacing = 10;
    constexpr int32_t kHeight = 100;
    const TSheetPoint start{500, 50};
    const TSheetPoint end{1000 + kLines * kSpacing + 500, 50};
    NewSheet(end.X + 1000, kHeight);
    for (int32_t k = 0; k < kLines; ++k) {
        const int32_t x = 1000 + k * kSpacing;
        Place(wb::TLineObject::Create(wb::kinds::Line, {x, 0}, {x, kHeight}));
    }
    BuildTree();

    // Run the search on a thread with a small stack: 128 KiB would not hold
    // two thousand nested calls of any realistic frame size.
    struct Job {
        TRouterSettings settings;
        TObstacleTree* tree;
        TBoundingRect sheet;
        TSheetPoint start, end;
        Points path;
        TRouteStats stats;
        bool failed = false;
    } job{settings_, tree_.get(), test::SheetExtent(*sheet_), start, end, {}, {}, false};
    auto body = [](void* arg) -> void* {
        auto* j = static_cast<Job*>(arg);
        try {
            TEdgeRouter router(j->start, j->end, j->settings, *j->tree, j->sheet,
                               test::NewWorkbenchWire);
            THostRef<ISch_Wire> wire = router.FindPath();
            j->stats = router.Stats();
            if (wire)
                j->path = Vertices(wire.Get());
        } catch (...) {
            j->failed = true;
        }
        return nullptr;
    };
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 128 * 1024), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, body, &job), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attr);

    ASSERT_FALSE(job.failed);
    EXPECT_EQ(job.path, (Points{end, start}));
    EXPECT_EQ(job.stats.Forward.MaxDepth, static_cast<uint64_t>(kLines));
    ASSERT_TRUE(job.stats.Forward.Best);
    EXPECT_EQ(job.stats.Forward.Best->Moves, std::string(kLines + 1, 'R'));
    EXPECT_TRUE(job.stats.Forward.Completed);
}

} // namespace
} // namespace pathwick
