// Re-draw requests on the schematics of Debian's kicad-demos (a designer's
// wire chain taken out and asked for again between its ends), routed with
// every speed-up and with the search's speed-ups and the pruned marking off:
// the same lines and wires. The demos hold searches that find nothing and ran
// to the clock before dead states were skipped.
#include "router/EdgeRouter.h"

#include "tests/support/KicadDemos.h"
#include "tests/support/SheetTree.h"

#include "host/PolygonAccess.h"
#include "platform/system/TickCount.h"
#include "workbench/kicad/KicadSheet.h"
#include "workbench/kicad/WireChains.h"
#include "workbench/model/WorkbenchHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace pathwick {
namespace {

namespace wb = workbench;
constexpr int32_t kMil = 20000; // sheet units

struct TRouted {
    std::string forward, reverse;
    std::vector<TSheetPoint> path;
    bool stopped = false;
    uint64_t nodes = 0;
};

TRouted Route(TObstacleTree& tree, TSheetPoint a, TSheetPoint b, const TSearchOptions& search) {
    // Every read of the clock moves it on by 1 ms: a search may take 20 000 nodes.
    TEdgeRouter router(a, b, TRouterSettings{40000, 1}, tree, tree.Sheet, test::NewWorkbenchWire,
                       search);
    THostRef<ISch_Wire> wire = router.FindPath();
    const TRouteStats& s = router.Stats();
    TRouted r{s.Forward.Line(),
              s.Reverse.Line(),
              {},
              s.Forward.StoppedByBudget || s.Reverse.StoppedByBudget,
              s.TotalNodes()};
    if (wire)
        r.path = Vertices(wire.Get());
    return r;
}

TEST(DemoRoutes, SameLinesWithAndWithoutTheSearchsSpeedUps) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(test::kKicadDemoFolder))
        for (const auto& e : std::filesystem::recursive_directory_iterator(test::kKicadDemoFolder))
            if (e.path().extension() == ".kicad_sch")
                files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 32u) << "kicad-demos is missing: run tools/install-deps.sh";

    wb::TWorkbenchHost::Instance().Reset();
    uint32_t ticks = 0;
    SetTickSource([&ticks] { return ++ticks; });
    int compared = 0, found = 0, cutShort = 0;
    uint64_t fastNodes = 0, plainNodes = 0;
    for (const std::filesystem::path& file : files) {
        const auto sheet = wb::kicad::TKicadSheet::Load(file.string());
        wb::TSheetDocument& document = sheet->Document();
        // Each chain with what to take out while it is drawn: its wires and
        // the junctions at its ends (held before the sheet's order changes).
        std::vector<std::pair<wb::kicad::TWireChain, std::vector<THostRef<wb::TSheetObject>>>>
            chains;
        for (const wb::kicad::TWireChain& c : wb::kicad::WireChains(document)) {
            const int64_t span =
                std::llabs(int64_t{c.A.X} - c.B.X) + std::llabs(int64_t{c.A.Y} - c.B.Y);
            if (span < 150 * kMil || span > 300 * kMil)
                continue;
            std::vector<THostRef<wb::TSheetObject>> out;
            for (std::size_t i : c.Objects)
                out.push_back(document.Objects()[i]);
            chains.emplace_back(c, std::move(out));
        }
        for (const auto& [chain, out] : chains) {
            for (const auto& object : out)
                document.RemoveObject(*object);
            std::unique_ptr<TObstacleTree> fast = test::BuildSheetTree(document);
            std::unique_ptr<TObstacleTree> plain = test::BuildSheetTree(document);
            plain->Walks.PrunedMarking = false;
            for (const auto& object : out)
                document.AddObject(*object);

            const TRouted f = Route(*fast, chain.A, chain.B, {});
            const TRouted p = Route(*plain, chain.A, chain.B, {false, false, false});
            const std::string where = file.filename().string() + " from (" +
                                      std::to_string(chain.A.X) + ", " + std::to_string(chain.A.Y) +
                                      ")";
            EXPECT_FALSE(f.stopped) << where;
            if (p.stopped) {
                ++cutShort;
                continue;
            }
            ++compared;
            found += f.path.empty() ? 0 : 1;
            fastNodes += f.nodes;
            plainNodes += p.nodes;
            EXPECT_EQ(f.forward, p.forward) << where;
            EXPECT_EQ(f.reverse, p.reverse) << where;
            EXPECT_EQ(f.path, p.path) << where;
        }
    }
    SetTickSource({});
    wb::TWorkbenchHost::Instance().Reset();
    std::printf("demo routes: %d compared (%d found a path), %d cut short by the plain way's "
                "clock; nodes %llu with the speed-ups, %llu without\n",
                compared, found, cutShort, static_cast<unsigned long long>(fastNodes),
                static_cast<unsigned long long>(plainNodes));
    EXPECT_GT(compared, 500);
    EXPECT_GT(found, 400);
}

} // namespace
} // namespace pathwick
