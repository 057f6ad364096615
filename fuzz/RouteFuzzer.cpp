// Whole routing requests on small fuzzed sheets: symbols and wires on the
// sheet, extra obstacles of any kind straight into the tree, any end points
// and options. The clock advances one millisecond per reading, so every
// search ends within its time-out; a found path must join the end points with
// axis-parallel segments, and every host object must be released afterwards.
#include "tests/support/SheetTree.h"

#include "geometry/ObstacleTree.h"
#include "host/HostCall.h"
#include "platform/system/TickCount.h"
#include "router/EdgeRouter.h"
#include "workbench/model/HostObject.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace pathwick;
namespace wb = pathwick::workbench;

constexpr int32_t TreeKinds[] = {5, 7, 15, 17, 18, 19, 21, 22, 23, 24, 30, 35, 37, 2, 3, 46};

// Mostly on a coarse grid inside a small sheet, sometimes anywhere at all.
int32_t Coordinate(FuzzedDataProvider& in, int32_t extent) {
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return in.ConsumeIntegral<int32_t>();
    case 1:
        return in.PickValueInArray({INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX, 0, -1});
    default:
        return in.ConsumeIntegralInRange<int32_t>(-4, extent / 100000 + 4) * 100000 +
               in.ConsumeIntegralInRange<int32_t>(-1, 1);
    }
}

TSheetPoint Point(FuzzedDataProvider& in, int32_t extent) {
    const int32_t x = Coordinate(in, extent);
    return {x, Coordinate(in, extent)};
}

TSheetRect Rect(FuzzedDataProvider& in, int32_t extent) {
    const TSheetPoint a = Point(in, extent);
    const TSheetPoint b = Point(in, extent);
    return {a.X, a.Y, b.X, b.Y};
}

uint32_t g_ticks = 0;

[[noreturn]] void Fail(const char* what, const std::vector<TSheetPoint>& v, TSheetPoint start,
                       TSheetPoint end) {
    std::fprintf(stderr, "route fuzzer: %s; start (%d, %d), end (%d, %d), path:", what, start.X,
                 start.Y, end.X, end.Y);
    for (const TSheetPoint& p : v)
        std::fprintf(stderr, " (%d, %d)", p.X, p.Y);
    std::fprintf(stderr, "\n");
    std::abort();
}

void CheckPath(ISch_Wire* path, TSheetPoint start, TSheetPoint end) {
    int32_t count = 0;
    HostCall(path->GetVertexCount(&count));
    std::vector<TSheetPoint> v(static_cast<std::size_t>(count < 0 ? 0 : count));
    for (int32_t i = 1; i <= count; ++i)
        HostCall(path->GetVertex(i, &v[static_cast<std::size_t>(i - 1)]));
    if (count < 2)
        Fail("fewer than two vertices", v, start, end);
    if (!(v.front() == end) || !(v.back() == start))
        Fail("the path does not join the end points", v, start, end);
    for (std::size_t i = 1; i < v.size(); ++i)
        if (v[i - 1].X != v[i].X && v[i - 1].Y != v[i].Y)
            Fail("a diagonal segment", v, start, end);
}

void RunRequest(FuzzedDataProvider& in) {
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(0, 40) * 100000;
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(0, 40) * 100000;
    THostRef<wb::TSheetDocument> sheet = wb::TSheetDocument::Create(width, height);
    const int32_t extent = width > height ? width : height;

    const int symbols = in.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < symbols; ++i) {
        const TSheetRect body = Rect(in, extent);
        THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
        THostRef<wb::TGraphic> shape = wb::TGraphic::Create(wb::kinds::Rectangle, body);
        symbol->AddChild(*shape);
        if (in.ConsumeBool()) {
            THostRef<wb::TPin> pin =
                wb::TPin::Create(Point(in, extent), in.ConsumeIntegralInRange<int32_t>(0, 3),
                                 in.ConsumeIntegralInRange<int32_t>(0, 5) * 100000);
            symbol->AddChild(*pin);
        }
        sheet->AddObject(*symbol);
    }
    const int wires = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < wires; ++i) {
        std::vector<TSheetPoint> vertices(in.ConsumeIntegralInRange<std::size_t>(0, 5));
        for (TSheetPoint& p : vertices)
            p = Point(in, extent);
        THostRef<wb::TPolyline> wire = wb::TPolyline::Create(wb::kinds::Wire, std::move(vertices));
        sheet->AddObject(*wire);
    }

    const std::unique_ptr<TObstacleTree> tree = test::BuildSheetTree(*sheet);
    const int extra = in.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < extra; ++i) {
        TBoundingRect r;
        r.SetRect(Rect(in, extent));
        tree->AddRect(r, in.ConsumeBool() ? in.PickValueInArray(TreeKinds)
                                          : in.ConsumeIntegral<int32_t>());
    }

    TRouterSettings settings;
    settings.TimeOut = in.ConsumeIntegralInRange<int32_t>(1, 40);
    settings.AvoidWires = in.ConsumeIntegralInRange<int32_t>(1, 10);
    const TSheetPoint start = Point(in, extent);
    const TSheetPoint end = Point(in, extent);

    TEdgeRouter router(start, end, settings, *tree, tree->Sheet, test::NewWorkbenchWire);
    THostRef<ISch_Wire> path = router.FindPath();
    if (path)
        CheckPath(path.Get(), start, end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        // The host's own client and service live from here on, so that they
        // are not taken for objects a request left behind.
        wb::TWorkbenchHost::Instance();
        SetTickSource([] { return ++g_ticks; });
        return true;
    }();
    (void)ready;
    const std::size_t live = wb::LiveHostObjectCount();
    FuzzedDataProvider in(data, size);
    RunRequest(in);
    wb::TWorkbenchHost::Instance().Reset();
    if (wb::LiveHostObjectCount() != live)
        std::abort();
    return 0;
}
