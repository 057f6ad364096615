// Why a request found no path, as the session tells a listening host: through
// the session code that the exports run (linked in, so the test drives its clock).
#include "tests/support/ModuleHost.h"

#include "host/ClientLookup.h"
#include "options/RouteOptions.h"
#include "platform/system/TickCount.h"
#include "plugin/MainApp.h"
#include "workbench/model/ReportSink.h"
#include "workbench/model/SheetObjects.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace pathwick::test {
namespace {

using namespace workbench;

constexpr int32_t M = 1'000'000;

struct TFailureCase {
    const char* Name;
    std::vector<TSheetRect> Bodies;
    TSheetPoint Start, End;
    uint8_t Expected;
    uint32_t MsPerReading = 0; // the clock's step; 0 holds it still
};

class RouteFailure : public ::testing::TestWithParam<TFailureCase> {
protected:
    void TearDown() override {
        SetTickSource({});
        SetModuleClient(nullptr);
        Host().Reset();
        Host().SetPreferenceLocation(PreferenceFolder());
    }
};

TEST_P(RouteFailure, TheReportSaysWhy) {
    const TFailureCase& c = GetParam();
    Module().Destroy();
    Host().Reset();
    SetModuleClient(&Host().Client());
    uint32_t ticks = 0;
    SetTickSource([&] { return ticks += c.MsPerReading; });
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(40 * M, 30 * M);
    for (const TSheetRect& body : c.Bodies) {
        THostRef<TSymbol> symbol = TSymbol::Create(body);
        THostRef<TGraphic> rect = TGraphic::Create(kinds::Rectangle, body);
        symbol->AddChild(*rect);
        sheet->AddObject(*symbol);
    }
    THostRef<TPolyline> wire = PlaceWire(*sheet, {c.Start, c.End});
    Host().SetActiveDocument(sheet.Get());
    TRouteOptions options(PreferenceFolder());
    TMainApp session(THostRef<ISch_Document>::Share(sheet.Get()));
    session.BuildObstacleTree(options);

    TReportCapture capture;
    const bool routed = session.RouteSegment(wire.Get(), c.Start, c.End, options);
    ASSERT_TRUE(capture.Last());
    EXPECT_EQ(routed, c.Expected == RouteFailureNone);
    EXPECT_EQ(capture.Last()->Found != 0, routed);
    EXPECT_EQ(static_cast<int>(capture.Last()->Failure), static_cast<int>(c.Expected));
}

void PrintTo(const TFailureCase& c, std::ostream* out) {
    *out << c.Name;
}

const TSheetRect kBody{15 * M, 10 * M, 25 * M, 20 * M};
// Four bodies whose corners meet at (20, 20): every side of that point is against one.
const std::vector<TSheetRect> kFourBodies = {{10 * M, 10 * M, 20 * M, 20 * M},
                                             {20 * M, 10 * M, 30 * M, 20 * M},
                                             {10 * M, 20 * M, 20 * M, 28 * M},
                                             {20 * M, 20 * M, 30 * M, 28 * M}};
// A wall from the bottom of the sheet to its top.
const TSheetRect kWall{18 * M, 0, 22 * M, 30 * M};

INSTANTIATE_TEST_SUITE_P(
    Cases, RouteFailure,
    ::testing::Values(
        TFailureCase{"Routed", {kBody}, {5 * M, 15 * M}, {35 * M, 15 * M}, RouteFailureNone},
        TFailureCase{"StartInsideABody",
                     {kBody},
                     {20 * M, 15 * M},
                     {35 * M, 15 * M},
                     RouteFailureStartBlocked},
        TFailureCase{
            "EndInsideABody", {kBody}, {5 * M, 15 * M}, {20 * M, 12 * M}, RouteFailureEndBlocked},
        TFailureCase{"BothInsideBodies",
                     {kBody},
                     {16 * M, 15 * M},
                     {24 * M, 15 * M},
                     RouteFailureBothBlocked},
        TFailureCase{"EndWhereFourBodiesMeet",
                     kFourBodies,
                     {5 * M, 5 * M},
                     {20 * M, 20 * M},
                     RouteFailureEndBoxedIn},
        TFailureCase{"StartWhereFourBodiesMeet",
                     kFourBodies,
                     {20 * M, 20 * M},
                     {5 * M, 5 * M},
                     RouteFailureStartBoxedIn},
        TFailureCase{"AWallBetween",
                     {kWall},
                     {5 * M, 15 * M},
                     {35 * M, 15 * M},
                     RouteFailureNoPathUnderBound},
        TFailureCase{"TheClockRunsOut",
                     {kBody},
                     {5 * M, 15 * M},
                     {35 * M, 15 * M},
                     RouteFailureOutOfTime,
                     100000},
        TFailureCase{"SamePoint", {}, {5 * M, 5 * M}, {5 * M, 5 * M}, RouteFailureSamePoint}),
    [](const auto& info) { return std::string(info.param.Name); });

// A session routes by the mended rules unless told otherwise, and its report
// says when the mends found the path: here, a wire to a junction.
TEST(MendedReport, SaysWhenTheMendsFoundThePath) {
    Module().Destroy();
    Host().Reset();
    SetModuleClient(&Host().Client());
    TRouteOptions options(PreferenceFolder());
    const TSheetPoint start{30 * M, 25 * M}, junction{30 * M, 15 * M};
    for (const bool mended : {false, true}) {
        THostRef<TSheetDocument> sheet = TSheetDocument::Create(40 * M, 30 * M);
        PlaceWire(*sheet, {{25 * M, 15 * M}, {35 * M, 15 * M}});
        PlaceWire(*sheet, {{30 * M, 15 * M}, {30 * M, 10 * M}});
        sheet->AddObject(*MakeJunction(junction));
        Host().SetActiveDocument(sheet.Get());
        TMainApp session(THostRef<ISch_Document>::Share(sheet.Get()),
                         mended ? MendedRules : StrictRules);
        session.BuildObstacleTree(options);
        THostRef<TPolyline> wire = PlaceWire(*sheet, {start, junction});
        TReportCapture capture;
        EXPECT_EQ(session.RouteSegment(wire.Get(), start, junction, options), mended);
        ASSERT_TRUE(capture.Last());
        EXPECT_EQ(capture.Last()->Mended != 0, mended);
        EXPECT_EQ(static_cast<int>(capture.Last()->Failure),
                  static_cast<int>(mended ? RouteFailureNone : RouteFailureEndBlocked));
    }
    SetModuleClient(nullptr);
    Host().Reset();
    Host().SetPreferenceLocation(PreferenceFolder());
}

} // namespace
} // namespace pathwick::test
