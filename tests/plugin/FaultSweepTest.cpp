// A whole session with each host call made to fail in turn.
#include "tests/plugin/ModuleHost.h"
#include "tests/plugin/PathChecks.h"

#include "workbench/HostObject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>
#include <functional>

namespace pathwick::test {
namespace {

using namespace workbench;

const TSheetPoint kLeft{4000000, 10000000};
const TSheetPoint kRight{16000000, 10000000};
const TSheetPoint kBelow{16000000, 2000000};
const TSheetPoint kInsideBody{10000000, 10000000};

// The wire is as the user placed it, or its last segment has been replaced by
// an orthogonal path from `from` to `to`; never anything in between.
::testing::AssertionResult WireIntact(const std::vector<TSheetPoint>& placed,
                                      const std::vector<TSheetPoint>& now, TSheetPoint from,
                                      TSheetPoint to) {
    if (now == placed)
        return ::testing::AssertionSuccess();
    const std::size_t kept = placed.size() - 2;
    if (now.size() < kept + 2)
        return ::testing::AssertionFailure() << "wire lost vertices: " << now.size();
    for (std::size_t i = 0; i < kept; ++i)
        if (!(now[i] == placed[i]))
            return ::testing::AssertionFailure() << "vertex " << i + 1 << " changed";
    const std::vector<TSheetPoint> tail(now.begin() + static_cast<std::ptrdiff_t>(kept), now.end());
    if (!(tail.front() == from) || !(tail.back() == to) || !IsOrthogonal(tail))
        return ::testing::AssertionFailure() << "the new tail is not a path from start to end";
    return ::testing::AssertionSuccess();
}

struct TSweepRun {
    int Errors = 0;
    bool WiresIntact = true;
    std::string Problem;
};

// Create, route a segment round the body, a second segment of that wire, a
// blocked segment on another wire twice, destroy. Every export call is made
// whatever the earlier ones did, as a host would go on after an error.
TSweepRun RunScript(TSheetDocument& sheet) {
    TSweepRun run;
    auto call = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception&) {
            ++run.Errors;
        }
    };
    auto route = [&](TPolyline& wire, TSheetPoint from, TSheetPoint to) {
        const std::vector<TSheetPoint> placed = wire.Vertices();
        call([&] { Module().Execute(&wire, from.X, from.Y, to.X, to.Y); });
        const auto result = WireIntact(placed, wire.Vertices(), from, to);
        if (!result) {
            run.WiresIntact = false;
            run.Problem = result.message();
        }
    };

    HostRef<TPolyline> first = PlaceWire(sheet, {kLeft, kRight});
    HostRef<TPolyline> second = PlaceWire(sheet, {kLeft, kInsideBody});
    call([] { Module().Create(); });
    route(*first, kLeft, kRight);
    std::vector<TSheetPoint> more = first->Vertices();
    const TSheetPoint last = more.back();
    more.push_back(kBelow);
    first->SetVertices(more);
    route(*first, last, kBelow);
    route(*second, kLeft, kInsideBody);
    route(*second, kLeft, kInsideBody);
    call([] { Module().Destroy(); });
    return run;
}

TEST(FaultSweep, EveryHostCallFailingInTurnIsReportedAndLeaksNothing) {
    Module();
    Module().Destroy();

    // A clean run tells how many host calls the script makes.
    Host().Reset();
    uint64_t calls = 0;
    {
        HostRef<TSheetDocument> sheet = MakeSmallSheet();
        Host().SetActiveDocument(sheet.Get());
        const TSweepRun clean = RunScript(*sheet);
        ASSERT_EQ(clean.Errors, 0);
        calls = Host().Faults().CallCount();
        Host().Reset();
    }
    ASSERT_GT(calls, 100u);

    int released = 0;
    for (uint64_t k = 1; k <= calls; ++k) {
        Host().Reset();
        HostRef<TSheetDocument> sheet = MakeSmallSheet();
        Host().SetActiveDocument(sheet.Get());
        const std::size_t before = LiveHostObjectCount();
        Host().Faults().FailCall(k);
        const TSweepRun run = RunScript(*sheet);
        Host().Faults().ClearRules();
        Module().Destroy();

        EXPECT_EQ(run.Errors, 1) << "fault at host call " << k;
        EXPECT_TRUE(run.WiresIntact) << "fault at host call " << k << ": " << run.Problem;
        // The two wires the script placed are on the sheet; nothing else lives on.
        const std::size_t after = LiveHostObjectCount();
        EXPECT_EQ(after, before + 2) << "fault at host call " << k;
        released += after == before + 2 ? 1 : 0;
        Host().SetActiveDocument(nullptr);
    }
    std::printf("fault sweep: %llu fault points tried, references released at %d of them\n",
                static_cast<unsigned long long>(calls), released);
    Host().Reset();
}

} // namespace
} // namespace pathwick::test
