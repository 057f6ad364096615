// Whole requests routed on a tree with the pruned clipping and on one with the
// reference clipping: the same searches, lines and wires.
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
    friend bool operator==(const TOutcome&, const TOutcome&) = default;
};

class FastRouteTest : public ::testing::Test {
protected:
    void SetUp() override {
        wb::TWorkbenchHost::Instance().Reset();
        // Every tick read moves the clock on by 4 ms, so a search stops after
        // a few hundred nodes, at the same node with either clipping.
        SetTickSource([this] { return ticks_ += 4; });
    }
    void TearDown() override {
        SetTickSource({});
        wb::TWorkbenchHost::Instance().Reset();
    }

    // Symbols with pins on the grid and off it, wires, labels and junctions.
    HostRef<wb::TSheetDocument> RandomSheet(std::mt19937& rng, Points& pins) {
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        HostRef<wb::TSheetDocument> sheet = wb::TSheetDocument::Create(30 * M, 24 * M);
        for (int i = 0, n = 3 + below(6); i < n; ++i) {
            const int32_t x = (2 + below(22)) * M + (below(4) == 0 ? M / 2 : 0);
            const int32_t y = (2 + below(16)) * M;
            const TSheetRect body{x, y, x + (1 + below(4)) * M, y + (1 + below(4)) * M};
            HostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
            HostRef<wb::TGraphic> outline = wb::TGraphic::Create(wb::kinds::Rectangle, body);
            symbol->AddChild(*outline);
            const TSheetPoint left{body.Left - M, body.Bottom + M / 2 * below(2)};
            const TSheetPoint right{body.Right + M, body.Top};
            HostRef<wb::TPin> lp = wb::TPin::Create(left, 0, M);
            HostRef<wb::TPin> rp = wb::TPin::Create(right, 2, M);
            symbol->AddChild(*lp);
            symbol->AddChild(*rp);
            pins.push_back(left);
            pins.push_back(right);
            sheet->AddObject(*symbol);
        }
        for (int i = 0, n = below(4); i < n; ++i) {
            const int32_t x = (1 + below(28)) * M, y = (1 + below(22)) * M;
            const int32_t x2 = (1 + below(28)) * M, y2 = (1 + below(22)) * M;
            HostRef<wb::TPolyline> wire =
                wb::TPolyline::Create(wb::kinds::Wire, {{x, y}, {x2, y}, {x2, y2}});
            sheet->AddObject(*wire);
            if (below(2)) {
                HostRef<wb::TGraphic> dot = wb::MakeJunction({x2, y});
                sheet->AddObject(*dot);
            }
        }
        if (below(2)) {
            const int32_t x = (1 + below(26)) * M, y = (1 + below(20)) * M;
            HostRef<wb::TLabel> label = wb::TLabel::Create({x, y, x + M, y + M / 2}, "NET");
            sheet->AddObject(*label);
        }
        return sheet;
    }

    TOutcome Route(TObstacleTree& tree, TSheetPoint a, TSheetPoint b) {
        TEdgeRouter router(a, b, TRouterSettings{3000, 1}, tree, tree.Sheet,
                           test::NewWorkbenchWire);
        HostRef<ISch_Wire> wire = router.FindPath();
        TOutcome o{router.Stats().Forward.Line(),
                   router.Stats().Reverse.Line(),
                   router.Stats().TotalNodes(),
                   {}};
        if (wire)
            o.path = Vertices(wire.Get());
        return o;
    }

    uint32_t ticks_ = 0;
};

TEST_F(FastRouteTest, SameResultsAsTheReferenceClipping) {
    std::mt19937 rng(20240611);
    int found = 0;
    for (int sheetNo = 0; sheetNo < 80; ++sheetNo) {
        Points pins;
        HostRef<wb::TSheetDocument> sheet = RandomSheet(rng, pins);
        std::unique_ptr<TObstacleTree> fast = test::BuildSheetTree(*sheet, 0);
        std::unique_ptr<TObstacleTree> reference = test::BuildSheetTree(*sheet, 0);
        reference->Walks.Clip = TClipMethod::Reference;
        // Several requests on one tree: later ones meet the guide lines and
        // marks of the earlier ones, as in a session.
        for (int r = 0; r < 4; ++r) {
            TSheetPoint a = pins[rng() % pins.size()];
            TSheetPoint b = pins[rng() % pins.size()];
            if (rng() % 3 == 0)
                b = {static_cast<int32_t>(rng() % 29 + 1) * M,
                     static_cast<int32_t>(rng() % 23 + 1) * M};
            const TOutcome f = Route(*fast, a, b);
            const TOutcome ref = Route(*reference, a, b);
            EXPECT_EQ(f, ref) << "sheet " << sheetNo << " request " << r << ": " << f.forward
                              << " / " << ref.forward;
            found += f.path.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(found, 100) << "too few requests found a path to compare wires";
}

} // namespace
} // namespace pathwick
