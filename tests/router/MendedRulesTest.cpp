// The mended rules against the rules as they stand: every request the latter
// route clear of other connection points gets the same path from the former,
// a mended path is always clear of them, a request leaves the tree as the
// rules as they stand leave it, and the long-connection bound.
#include "router/EdgeRouter.h"

#include "tests/support/SheetTree.h"

#include "geometry/ObstacleDump.h"
#include "host/PolygonAccess.h"
#include "platform/system/TickCount.h"
#include "router/RouterDetail.h"
#include "router/WayOutEnds.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace pathwick {
namespace {

namespace wb = workbench;
using Points = std::vector<TSheetPoint>;
constexpr int32_t M = 1'000'000;

struct TRouted {
    Points path;
    TRouteStats stats;
};

class MendedRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        wb::TWorkbenchHost::Instance().Reset();
        // Every tick read moves the clock on by 2 ms: searches stop at a node
        // that depends on nothing but the reads, the same for both rules.
        SetTickSource([this] { return ticks_ += 2; });
    }
    void TearDown() override {
        SetTickSource({});
        wb::TWorkbenchHost::Instance().Reset();
    }

    static TRouted Route(TObstacleTree& tree, TSheetPoint a, TSheetPoint b, TRouteRules rules,
                         int32_t timeOut = 3000) {
        TEdgeRouter router(a, b, TRouterSettings{timeOut, 1, rules}, tree, tree.Sheet,
                           test::NewWorkbenchWire);
        THostRef<ISch_Wire> wire = router.FindPath();
        return {wire ? Vertices(wire.Get()) : Points{}, router.Stats()};
    }

    // The path runs through a pin's connection point, or along y through a
    // port's (the sheets' labels read along x), other than at a or b.
    bool Through(const Points& path, TSheetPoint a, TSheetPoint b) const {
        const auto on = [](TSheetPoint p, TSheetPoint u, TSheetPoint v) {
            return std::min(u.X, v.X) <= p.X && p.X <= std::max(u.X, v.X) &&
                   std::min(u.Y, v.Y) <= p.Y && p.Y <= std::max(u.Y, v.Y);
        };
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            const TSheetPoint u = path[i], v = path[i + 1];
            for (const Points* points : {&pins_, &ports_}) {
                for (const TSheetPoint& p : *points) {
                    const bool closed = points == &pins_ || u.X == v.X;
                    if (closed && p != a && p != b && on(p, u, v))
                        return true;
                }
            }
        }
        return false;
    }

    // Symbols whose pins are crowded the way real sheets crowd them: wires
    // already out of some pins (with junctions on them), small symbols sat
    // on others, parts in rows close to each other, and columns of labels
    // (ports) whose wires are gone, their text beside their anchors.
    // Requests are between pins, junctions, wire ends and labels, near and,
    // on the large sheets, far.
    THostRef<wb::TSheetDocument> RandomSheet(std::mt19937& rng, Points& ends) {
        pins_.clear();
        ports_.clear();
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        // One sheet in four is 50 times larger, with the parts spread over it.
        const int32_t scale = below(4) == 0 ? 50 : 1;
        THostRef<wb::TSheetDocument> sheet =
            wb::TSheetDocument::Create(40 * M * scale, 30 * M * scale);
        for (int i = 0, n = 3 + below(5); i < n; ++i) {
            const int32_t x = (3 + below(30)) * M * scale + below(3) * M;
            const int32_t y = (3 + below(20)) * M * scale + below(3) * M;
            const int32_t h = 2 * (1 + below(3));
            const TSheetRect body{x, y, x + 4 * M, y + h * M};
            THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
            THostRef<wb::TGraphic> outline = wb::TGraphic::Create(wb::kinds::Rectangle, body);
            symbol->AddChild(*outline);
            // Pins every two steps on the left side, every step on the right.
            for (int32_t py = y + M; py < body.Top; py += 2 * M) {
                const TSheetPoint p{x - M, py};
                THostRef<wb::TPin> pin = wb::TPin::Create(p, 0, M);
                symbol->AddChild(*pin);
                ends.push_back(p);
                pins_.push_back(p);
                if (below(3) == 0) { // a wire out, with a junction on it
                    const TSheetPoint out{p.X - (2 + below(3)) * M, p.Y};
                    sheet->AddObject(*wb::TPolyline::Create(wb::kinds::Wire, {p, out}));
                    if (below(2)) {
                        sheet->AddObject(*wb::MakeJunction(out));
                        sheet->AddObject(
                            *wb::TPolyline::Create(wb::kinds::Wire, {out, {out.X, out.Y - 2 * M}}));
                        ends.push_back(out);
                    }
                } else if (below(4) == 0) { // a small symbol sat on the pin
                    const TSheetRect on{p.X - 2 * M, p.Y - M, p.X, p.Y + M};
                    THostRef<wb::TSymbol> power = wb::TSymbol::Create(on);
                    power->AddChild(*wb::TGraphic::Create(wb::kinds::Rectangle, on));
                    sheet->AddObject(*power);
                }
            }
            for (int32_t py = y + M; py < body.Top; py += M) {
                const TSheetPoint p{body.Right + M, py};
                symbol->AddChild(*wb::TPin::Create(p, 2, M));
                ends.push_back(p);
                pins_.push_back(p);
            }
            sheet->AddObject(*symbol);
        }
        for (int i = 0, n = 2 + below(4); i < n; ++i) {
            const int32_t x = (2 + below(34)) * M * scale;
            const int32_t y = (2 + below(20)) * M * scale;
            for (int k = 0, rows = 2 + below(3); k < rows; ++k) {
                const TSheetPoint at{x, y + 4 * k * M};
                THostRef<wb::TGraphic> port = wb::TGraphic::Create(
                    wb::kinds::Port, {at.X, at.Y + M / 4, at.X + 3 * M, at.Y + M});
                port->SetAnchor(at);
                sheet->AddObject(*port);
                ports_.push_back(at);
                if (below(3) == 0)
                    ends.push_back(at);
            }
        }
        return sheet;
    }

    // Two points 1 800 000 000 apart with a wall between them.
    static constexpr TSheetPoint kFarLeft{100 * M, 500 * M};
    static constexpr TSheetPoint kFarRight{1900 * M, 500 * M};
    static std::unique_ptr<TObstacleTree> LongSheetTree() {
        THostRef<wb::TSheetDocument> sheet = wb::TSheetDocument::Create(2000 * M, 1000 * M);
        const TSheetRect wall{900 * M, 300 * M, 1100 * M, 700 * M};
        THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(wall);
        symbol->AddChild(*wb::TGraphic::Create(wb::kinds::Rectangle, wall));
        sheet->AddObject(*symbol);
        return test::BuildSheetTree(*sheet);
    }

    uint32_t ticks_ = 0;
    Points pins_, ports_; // of the last random sheet
};

TEST_F(MendedRulesTest, SamePathWheneverTheRulesAsTheyStandRouteClear) {
    std::mt19937 rng(15151);
    int strictRouted = 0, mendedOnly = 0, strictThrough = 0;
    for (int sheetNo = 0; sheetNo < 60; ++sheetNo) {
        Points ends;
        THostRef<wb::TSheetDocument> sheet = RandomSheet(rng, ends);
        std::unique_ptr<TObstacleTree> strict = test::BuildSheetTree(*sheet);
        std::unique_ptr<TObstacleTree> mended = test::BuildSheetTree(*sheet);
        // A session's requests: later ones meet what the earlier ones left.
        for (int r = 0; r < 6; ++r) {
            const TSheetPoint a = ends[rng() % ends.size()];
            const TSheetPoint b = ends[rng() % ends.size()];
            const TRouted s = Route(*strict, a, b, StrictRules);
            const TRouted m = Route(*mended, a, b, MendedRules);
            const std::string where =
                "sheet " + std::to_string(sheetNo) + " request " + std::to_string(r);
            const bool strictClear = !s.path.empty() && !Through(s.path, a, b);
            if (strictClear) {
                ++strictRouted;
                EXPECT_EQ(m.path, s.path) << where;
                EXPECT_FALSE(m.stats.MendedPass) << where;
            } else {
                strictThrough += s.path.empty() ? 0 : 1;
                mendedOnly += m.path.empty() ? 0 : 1;
                EXPECT_EQ(m.stats.FoundByMends, !m.path.empty()) << where;
            }
            EXPECT_FALSE(Through(m.path, a, b)) << where;
            // What the request leaves in the tree is what the rules as they
            // stand leave (the Target too, when both found the same path or
            // neither found one); a path is recorded only when both found it.
            EXPECT_EQ(DescribeObstacles(*mended), DescribeObstacles(*strict)) << where;
            if (strictClear || (s.path.empty() && m.path.empty())) {
                EXPECT_EQ(mended->Target, strict->Target) << where;
            }
            EXPECT_EQ(mended->Mends, nullptr) << where;
            if (strictClear) {
                THostRef<wb::TPolyline> path = wb::TPolyline::Create(wb::kinds::Wire, s.path);
                AddPolyline(*strict, path.Get());
                AddPolyline(*mended, path.Get());
            }
        }
    }
    EXPECT_GT(strictRouted, 60) << "too few routed requests to compare";
    EXPECT_GT(mendedOnly, 20) << "too few requests that only the mends route";
    EXPECT_GT(strictThrough, 3) << "too few strict paths through a connection point";
}

TEST_F(MendedRulesTest, LongConnectionsAreBoundedIn64Bits) {
    // 25 x 2 250 000 000 does not fit in 32 bits; the rules as they stand clamp it.
    EXPECT_EQ(router::InitialBound({0, 0}, {90 * M, 0}), router::MaxInitialBound);
    EXPECT_EQ(router::LongInitialBound({0, 0}, {90 * M, 0}), int64_t{2'250'000'000});
    EXPECT_EQ(router::LongInitialBound({0, 0}, {2'000'000'000, 2'000'000'000}),
              int64_t{100'000'000'000});
    EXPECT_EQ(router::LongInitialBound({0, 0}, {M, 0}), router::MinInitialBound);
    EXPECT_EQ(router::PathTotal(int64_t{3'000'000'000}, 5, 2, LongCostCeiling), 3'000'000'205);
    EXPECT_EQ(router::PathTotal(int64_t{3'000'000'000}, 5, 2), StrictCostCeiling);

    std::unique_ptr<TObstacleTree> tree = LongSheetTree();
    const TRouted s = Route(*tree, kFarLeft, kFarRight, StrictRules);
    EXPECT_TRUE(s.path.empty());
    EXPECT_TRUE(s.stats.Forward.Completed && s.stats.Reverse.Completed);
    EXPECT_EQ(s.stats.InitialBound, router::MaxInitialBound);

    tree = LongSheetTree();
    TRouteRules longOnly = StrictRules;
    longOnly.LongBound = true;
    const TRouted m = Route(*tree, kFarLeft, kFarRight, longOnly);
    ASSERT_FALSE(m.path.empty());
    EXPECT_TRUE(m.stats.FoundByMends);
    EXPECT_EQ(m.stats.InitialBound, int64_t{45'000'000'000});
    EXPECT_EQ(m.path.front(), kFarRight);
    EXPECT_EQ(m.path.back(), kFarLeft);
    const auto& chosen = m.stats.ReverseChosen ? m.stats.Reverse.Best : m.stats.Forward.Best;
    ASSERT_TRUE(chosen);
    EXPECT_GT(chosen->Total, StrictCostCeiling) << "the path costs more than 32 bits hold";
}

TEST_F(MendedRulesTest, NoMendedPassAfterTheClockStoppedTheFirst) {
    std::unique_ptr<TObstacleTree> tree = LongSheetTree();
    EXPECT_TRUE(Route(*tree, kFarLeft, kFarRight, MendedRules).stats.MendedPass);
    // A 1 ms time-out: each search's budget is 0 ms and the clock moves at
    // every read, so the first pass's searches stop at once; nothing is left.
    tree = LongSheetTree();
    const TRouted m = Route(*tree, kFarLeft, kFarRight, MendedRules, 1);
    EXPECT_TRUE(m.path.empty());
    EXPECT_TRUE(m.stats.Forward.StoppedByBudget);
    EXPECT_FALSE(m.stats.MendedPass);
}

TEST(WayOutEnds, StraightenedDropsRepeatsAndStraightJoints) {
    EXPECT_EQ(Straightened({{0, 0}, {0, 0}, {0, 5}, {0, 9}, {4, 9}}),
              (Points{{0, 0}, {0, 9}, {4, 9}}));
    // A joint where the path turns back stays: dropping it would lose a stretch.
    EXPECT_EQ(Straightened({{0, 0}, {0, 9}, {0, 5}}), (Points{{0, 0}, {0, 9}, {0, 5}}));
    EXPECT_EQ(Straightened({{3, 3}}), (Points{{3, 3}}));
}

} // namespace
} // namespace pathwick
