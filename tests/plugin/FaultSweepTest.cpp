// A whole session with each host call made to fail in turn.
#include "tests/support/ModuleHost.h"
#include "tests/support/PathChecks.h"

#include "host/HostCall.h"
#include "platform/settings/WriteError.h"
#include "workbench/files/SheetFile.h"
#include "workbench/model/HostObject.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

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

    THostRef<TPolyline> first = PlaceWire(sheet, {kLeft, kRight});
    THostRef<TPolyline> second = PlaceWire(sheet, {kLeft, kInsideBody});
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
        THostRef<TSheetDocument> sheet = MakeSmallSheet();
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
        THostRef<TSheetDocument> sheet = MakeSmallSheet();
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

namespace pathwick::test {
namespace {

using namespace workbench;

// The example sheet the session sweep routes on, and places on it: open space
// above the row of parts, open space below the ground rail, and a part's body.
const char* const kExampleSheet = PATHWICK_SOURCE_DIR "/examples/power-supply.json";
const TSheetPoint kAbove{10000000, 62000000};
const TSheetPoint kBelowRail{40000000, 36000000};
const TSheetPoint kFarRight{70000000, 66000000};
const TSheetPoint kOpen{4000000, 30000000};
const TSheetPoint kInPart{10000000, 50000000};
const TSheetRect kPartBodies[] = {{8500000, 48500000, 12000000, 51500000},
                                  {22000000, 49500000, 26000000, 51500000},
                                  {37000000, 50000000, 49000000, 53000000}};

QApplication& Application() {
    static int argc = 1;
    static char name[] = "test_plugin_boundary";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Shows the options dialog through the export and presses its OK button as
// soon as it is up; `seen` tells whether the dialog came up.
void PressOkInOptions(bool& seen) {
    Application();
    seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == QStringLiteral("OK")) {
                seen = true;
                poll.stop();
                button->click();
                return;
            }
    });
    poll.start();
    try {
        Module().Options();
    } catch (...) {
        poll.stop();
        throw;
    }
    poll.stop();
}

// Router.ini made unwritable even for root: a folder of that name stands in
// its place while the object lives.
class TUnwritableSettings {
public:
    TUnwritableSettings() : path_(std::filesystem::path(PreferenceFolder()) / "Router.ini") {
        std::filesystem::remove(path_);
        std::filesystem::create_directory(path_);
    }
    ~TUnwritableSettings() {
        std::filesystem::remove_all(path_);
        std::ofstream(path_) << "[Options]\nTimeOut=600000\nAvoid Wires Position=1\n";
    }
    TUnwritableSettings(const TUnwritableSettings&) = delete;
    TUnwritableSettings& operator=(const TUnwritableSettings&) = delete;

private:
    std::filesystem::path path_;
};

struct TSessionRun {
    int HostErrors = 0;  // EHostCallError out of an export
    int WriteErrors = 0; // EWriteError out of the options save
    int OtherErrors = 0;
    bool DialogSeen = false;
    bool WiresIntact = true;
    std::string Problem;
    uint64_t CallsOfCreate = 0; // host calls up to the end of Create
};

// Create on the example; route a wire over the row of parts, then its next
// segment; a blocked request on a second wire twice (a failed search and its
// repeat); the options dialog's OK with the settings file unwritable; a last
// route on the first wire; destroy.
// Routed wires must stay out of the parts unless the tree build failed, which
// leaves the tree with the obstacles inserted up to the failing object.
TSessionRun RunSession(TSheetDocument& sheet, bool treeComplete) {
    TSessionRun run;
    auto call = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const EHostCallError&) {
            ++run.HostErrors;
        } catch (const EWriteError&) {
            ++run.WriteErrors;
        } catch (...) {
            ++run.OtherErrors;
        }
    };
    auto route = [&](TPolyline& wire, TSheetPoint to) {
        const std::vector<TSheetPoint> placed = wire.Vertices();
        const TSheetPoint from = placed[placed.size() - 2];
        call([&] { Module().Execute(&wire, from.X, from.Y, to.X, to.Y); });
        const auto result = WireIntact(placed, wire.Vertices(), from, to);
        if (!result) {
            run.WiresIntact = false;
            run.Problem = result.message();
        }
        for (const TSheetRect& body : kPartBodies)
            if (treeComplete && wire.Vertices() != placed && EntersInside(wire.Vertices(), body)) {
                run.WiresIntact = false;
                run.Problem = "a routed wire runs through a part";
            }
    };
    auto extend = [](TPolyline& wire, TSheetPoint to) {
        std::vector<TSheetPoint> v = wire.Vertices();
        v.push_back(to);
        wire.SetVertices(v);
    };

    THostRef<TPolyline> first = PlaceWire(sheet, {kAbove, kBelowRail});
    THostRef<TPolyline> second = PlaceWire(sheet, {kOpen, kInPart});
    call([] { Module().Create(); });
    run.CallsOfCreate = Host().Faults().CallCount();
    route(*first, kBelowRail);
    extend(*first, kFarRight);
    route(*first, kFarRight);
    route(*second, kInPart);
    route(*second, kInPart);
    call([&] { PressOkInOptions(run.DialogSeen); });
    extend(*first, kOpen);
    route(*first, kOpen);
    call([] { Module().Destroy(); });
    return run;
}

TEST(FaultSweep, ExampleSessionWithOptionsSaveFailsSafelyAtEveryHostCall) {
    Module().Destroy();
    Application();
    TUnwritableSettings unwritable;

    Host().Reset();
    Host().SetPreferenceLocation(PreferenceFolder());
    uint64_t calls = 0;
    uint64_t createCalls = 0;
    {
        THostRef<TSheetDocument> sheet = LoadSheetFile(kExampleSheet);
        Host().SetActiveDocument(sheet.Get());
        const TSessionRun clean = RunSession(*sheet, true);
        createCalls = clean.CallsOfCreate;
        ASSERT_EQ(clean.HostErrors, 0);
        ASSERT_EQ(clean.OtherErrors, 0);
        ASSERT_EQ(clean.WriteErrors, 1) << "the unwritable settings file must be reported";
        ASSERT_TRUE(clean.DialogSeen);
        ASSERT_TRUE(clean.WiresIntact) << clean.Problem;
        calls = Host().Faults().CallCount();
    }
    ASSERT_GT(calls, 200u);

    uint64_t released = 0;
    uint64_t referencesChecked = 0;
    for (uint64_t k = 1; k <= calls; ++k) {
        Host().Reset();
        Host().SetPreferenceLocation(PreferenceFolder());
        THostRef<TSheetDocument> sheet = LoadSheetFile(kExampleSheet);
        Host().SetActiveDocument(sheet.Get());
        const std::size_t before = LiveHostObjectCount();
        const uint32_t sheetRefs = sheet->RefCount();
        Host().Faults().FailCall(k);
        const TSessionRun run = RunSession(*sheet, k > createCalls);
        Host().Faults().ClearRules();
        Module().Destroy();

        EXPECT_EQ(run.HostErrors, 1) << "fault at host call " << k;
        EXPECT_EQ(run.OtherErrors, 0) << "fault at host call " << k;
        // The save is reached and refused unless the fault hit the dialog itself.
        EXPECT_EQ(run.WriteErrors + (run.DialogSeen ? 0 : 1), 1) << "fault at host call " << k;
        EXPECT_TRUE(run.WiresIntact) << "fault at host call " << k << ": " << run.Problem;
        Host().SetActiveDocument(nullptr);
        // The two placed wires live on the sheet with its reference alone.
        const std::size_t after = LiveHostObjectCount();
        const bool clean = after == before + 2 && sheet->RefCount() == sheetRefs - 1;
        referencesChecked += after + 1;
        EXPECT_EQ(after, before + 2) << "fault at host call " << k;
        EXPECT_EQ(sheet->RefCount(), sheetRefs - 1) << "fault at host call " << k;
        released += clean ? 1 : 0;
    }
    std::printf("session fault sweep on %s: %llu fault points tried, all references released "
                "at %llu of them (%llu live objects and reference counts checked)\n",
                "power-supply.json", static_cast<unsigned long long>(calls),
                static_cast<unsigned long long>(released),
                static_cast<unsigned long long>(referencesChecked));
    EXPECT_EQ(released, calls);
    Host().Reset();
    Host().SetPreferenceLocation(PreferenceFolder());
}

} // namespace
} // namespace pathwick::test

namespace pathwick::test {
namespace {

using namespace workbench;

// Every vertex operation of a request made to fail in turn, those of the
// splice included: the user's wire is then exactly as placed or exactly the
// routed path, never cut or half-written.
TEST(FaultSweep, EveryVertexOperationOfARequestFailingLeavesTheWireWhole) {
    Module().Destroy();
    const TSheetPoint from = kLeft, to = kRight;
    std::vector<TSheetPoint> routed;
    std::map<std::string, uint64_t> counts;
    {
        Host().Reset();
        THostRef<TSheetDocument> sheet = MakeSmallSheet();
        Host().SetActiveDocument(sheet.Get());
        THostRef<TPolyline> wire = PlaceWire(*sheet, {{1000000, 1000000}, from, to});
        Module().Create();
        Host().Faults().Reset();
        ASSERT_EQ(Module().Execute(wire.Get(), from.X, from.Y, to.X, to.Y), 1);
        routed = wire->Vertices();
        for (const char* op : {"SetVertexCount", "SetVertex", "GetVertex"})
            counts[op] = Host().Faults().CallCount(op);
        Module().Destroy();
        Host().SetActiveDocument(nullptr);
    }
    ASSERT_GT(routed.size(), 3u);

    uint64_t tried = 0;
    for (const auto& [op, count] : counts)
        for (uint64_t nth = 1; nth <= count; ++nth) {
            Host().Reset();
            THostRef<TSheetDocument> sheet = MakeSmallSheet();
            Host().SetActiveDocument(sheet.Get());
            const std::vector<TSheetPoint> placed{{1000000, 1000000}, from, to};
            THostRef<TPolyline> wire = PlaceWire(*sheet, placed);
            Module().Create();
            Host().Faults().Reset();
            Host().Faults().FailOperationCall(op, nth);
            EXPECT_THROW(Module().Execute(wire.Get(), from.X, from.Y, to.X, to.Y), std::exception)
                << op << " call " << nth;
            const std::vector<TSheetPoint> now = wire->Vertices();
            EXPECT_TRUE(now == placed || now == routed)
                << op << " call " << nth << " left a wire of " << now.size() << " vertices";
            Host().Faults().ClearRules();
            Module().Destroy();
            Host().SetActiveDocument(nullptr);
            ++tried;
        }
    std::printf("vertex fault sweep: %llu failing vertex operations tried\n",
                static_cast<unsigned long long>(tried));
    Host().Reset();
    Host().SetPreferenceLocation(PreferenceFolder());
}

} // namespace
} // namespace pathwick::test
