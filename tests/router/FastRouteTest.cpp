// Whole requests routed with every speed-up and with one of them switched off
// (the reference clipping, the plain marking, rays cast again by every move,
// states explored again): the same lines and wires, and the same node counts
// where the speed-up must not change them.
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

#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace pathwick {
namespace {

namespace wb = workbench;
using Points = std::vector<TSheetPoint>;
constexpr int32_t M = 1'000'000;

struct TOutcome {
    std::string forward, reverse;
    uint64_t nodes = 0;
    Points path;
    uint64_t rays = 0, pruned = 0; // compared by the test as it sees fit
    bool stopped = false;          // the clock stopped a search
};

// One speed-up switched off. Every read of the clock moves it on. Those that
// keep the node counts let a search run for a few hundred nodes and must stop
// it at the same node both ways. Skipping explored states changes the node
// counts, and with them where the clock stops a search: those requests are
// compared only when neither search of the plain way was stopped (up to
// 20 000 nodes each), so that both ways ran to their ends.
struct TVariant {
    const char* name;
    TTreeWalks walks;      // of the plain way
    TSearchOptions search; // of the plain way
    TSearchOptions fast;   // what it is compared with
    bool sameNodes;
    bool fewerRays; // the fast way must cast fewer rays
};

// Moves find their probe's ray among the remembered ones too, so the probe's
// edge kept for the move is compared without remembered rays.
constexpr TSearchOptions kForgetRays{.RememberRays = false};
const TVariant kVariants[] = {
    {"ReferenceClipping", {TClipMethod::Reference, true}, {}, {}, true, false},
    {"PlainMarking", {TClipMethod::Fast, false}, {}, {}, true, false},
    {"RaysCastAgainByMoves", {}, {false, false, true}, kForgetRays, true, true},
    {"RaysCastAgainAtEveryVisit", {}, kForgetRays, {}, true, true},
    {"StatesExploredAgain", {}, {.PruneRevisits = false}, {}, false, false},
    {"AllPlain", {TClipMethod::Reference, false}, {false, false, false}, {}, false, true},
};

void PrintTo(const TVariant& v, std::ostream* os) {
    *os << v.name;
}

class FastRouteTest : public ::testing::TestWithParam<TVariant> {
protected:
    void SetUp() override {
        wb::TWorkbenchHost::Instance().Reset();
        const uint32_t step = GetParam().sameNodes ? 4 : 1;
        settings_ = TRouterSettings{GetParam().sameNodes ? 3000 : 40000, 1};
        SetTickSource([this, step] { return ticks_ += step; });
    }
    void TearDown() override {
        SetTickSource({});
        wb::TWorkbenchHost::Instance().Reset();
    }

    // Symbols with pins on the grid and off it, wires, labels and junctions.
    THostRef<wb::TSheetDocument> RandomSheet(std::mt19937& rng, Points& pins) {
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        THostRef<wb::TSheetDocument> sheet = wb::TSheetDocument::Create(30 * M, 24 * M);
        for (int i = 0, n = 3 + below(6); i < n; ++i) {
            const int32_t x = (2 + below(22)) * M + (below(4) == 0 ? M / 2 : 0);
            const int32_t y = (2 + below(16)) * M;
            const TSheetRect body{x, y, x + (1 + below(4)) * M, y + (1 + below(4)) * M};
            THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
            THostRef<wb::TGraphic> outline = wb::TGraphic::Create(wb::kinds::Rectangle, body);
            symbol->AddChild(*outline);
            const TSheetPoint left{body.Left - M, body.Bottom + M / 2 * below(2)};
            const TSheetPoint right{body.Right + M, body.Top};
            THostRef<wb::TPin> lp = wb::TPin::Create(left, 0, M);
            THostRef<wb::TPin> rp = wb::TPin::Create(right, 2, M);
            symbol->AddChild(*lp);
            symbol->AddChild(*rp);
            pins.push_back(left);
            pins.push_back(right);
            sheet->AddObject(*symbol);
        }
        for (int i = 0, n = below(4); i < n; ++i) {
            const int32_t x = (1 + below(28)) * M, y = (1 + below(22)) * M;
            const int32_t x2 = (1 + below(28)) * M, y2 = (1 + below(22)) * M;
            THostRef<wb::TPolyline> wire =
                wb::TPolyline::Create(wb::kinds::Wire, {{x, y}, {x2, y}, {x2, y2}});
            sheet->AddObject(*wire);
            if (below(2)) {
                THostRef<wb::TGraphic> dot = wb::MakeJunction({x2, y});
                sheet->AddObject(*dot);
            }
        }
        if (below(2)) {
            const int32_t x = (1 + below(26)) * M, y = (1 + below(20)) * M;
            THostRef<wb::TLabel> label = wb::TLabel::Create({x, y, x + M, y + M / 2}, "NET");
            sheet->AddObject(*label);
        }
        return sheet;
    }

    TOutcome Route(TObstacleTree& tree, TSheetPoint a, TSheetPoint b,
                   const TSearchOptions& search) {
        TEdgeRouter router(a, b, settings_, tree, tree.Sheet, test::NewWorkbenchWire, search);
        THostRef<ISch_Wire> wire = router.FindPath();
        const TRouteStats& stats = router.Stats();
        TOutcome o{stats.Forward.Line(),
                   stats.Reverse.Line(),
                   stats.TotalNodes(),
                   {},
                   stats.Forward.Rays + stats.Reverse.Rays,
                   stats.Forward.RevisitsPruned + stats.Reverse.RevisitsPruned,
                   stats.Forward.StoppedByBudget || stats.Reverse.StoppedByBudget};
        if (wire)
            o.path = Vertices(wire.Get());
        return o;
    }

    uint32_t ticks_ = 0;
    TRouterSettings settings_;
};

TEST_P(FastRouteTest, SameResultsAsThePlainWay) {
    const TVariant& plainWay = GetParam();
    std::mt19937 rng(20240611);
    int found = 0, compared = 0;
    uint64_t fastNodes = 0, plainNodes = 0, fastRays = 0, plainRays = 0, pruned = 0;
    for (int sheetNo = 0; sheetNo < 300; ++sheetNo) {
        Points pins;
        THostRef<wb::TSheetDocument> sheet = RandomSheet(rng, pins);
        std::unique_ptr<TObstacleTree> fast = test::BuildSheetTree(*sheet, 0);
        std::unique_ptr<TObstacleTree> plain = test::BuildSheetTree(*sheet, 0);
        plain->Walks = plainWay.walks;
        // Several requests on one tree: later ones meet the guide lines and
        // marks of the earlier ones, as in a session.
        for (int r = 0; r < 4; ++r) {
            TSheetPoint a = pins[rng() % pins.size()];
            TSheetPoint b = pins[rng() % pins.size()];
            if (rng() % 3 == 0)
                b = {static_cast<int32_t>(rng() % 29 + 1) * M,
                     static_cast<int32_t>(rng() % 23 + 1) * M};
            const TOutcome f = Route(*fast, a, b, plainWay.fast);
            const TOutcome p = Route(*plain, a, b, plainWay.search);
            if (!plainWay.sameNodes) {
                if (p.stopped)
                    continue;
                EXPECT_FALSE(f.stopped) << "sheet " << sheetNo << " request " << r;
            }
            ++compared;
            EXPECT_EQ(f.forward, p.forward) << "sheet " << sheetNo << " request " << r;
            EXPECT_EQ(f.reverse, p.reverse) << "sheet " << sheetNo << " request " << r;
            EXPECT_EQ(f.path, p.path) << "sheet " << sheetNo << " request " << r;
            if (plainWay.sameNodes) {
                EXPECT_EQ(f.nodes, p.nodes) << "sheet " << sheetNo << " request " << r;
            }
            found += f.path.empty() ? 0 : 1;
            fastNodes += f.nodes;
            plainNodes += p.nodes;
            fastRays += f.rays;
            plainRays += p.rays;
            pruned += f.pruned;
        }
    }
    EXPECT_GT(compared, 1000) << "too few requests ran to their ends";
    EXPECT_GT(found, 400) << "too few requests found a path to compare wires";
    // The speed-up did something on these sheets.
    if (plainWay.fewerRays) {
        EXPECT_LT(fastRays * 10, plainRays * 8);
    }
    if (!plainWay.search.PruneRevisits) {
        EXPECT_GT(pruned, 0u);
        EXPECT_LT(fastNodes, plainNodes);
    }
}

INSTANTIATE_TEST_SUITE_P(SpeedUps, FastRouteTest, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pathwick
