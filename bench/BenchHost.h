// The benchmark as the host: a session driven the way the workbench drives
// the module, with the module's session code linked in.
#pragma once

#include "options/RouteOptions.h"
#include "plugin/MainApp.h"
#include "workbench/model/ReportSink.h"
#include "workbench/model/SheetDocument.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pathwick::bench {

// Wall-clock and CPU (this thread's) milliseconds.
struct TTimes {
    double WallMs = 0;
    double CpuMs = 0;
};

// How one request went, as the host saw it.
struct TRequestResult {
    TTimes Time;
    bool Routed = false;
    int Searches = 0; // that ran
    int Stopped = 0;  // of them, stopped by the clock
    uint64_t Nodes = 0;
    uint64_t Rays = 0;
    std::vector<TSheetPoint> Wire; // the placed wire afterwards
};

// While it lives, the workbench host shows sheet as its active document and
// is the client the session code asks (as the module's load would make it),
// and listens to the module's reports. Its fault plan starts afresh, keeping
// per-object call counts when asked to. Everything is reset when it goes.
class TBenchHost {
public:
    TBenchHost(workbench::TSheetDocument& sheet, bool countsPerObject);
    ~TBenchHost();
    TBenchHost(const TBenchHost&) = delete;
    TBenchHost& operator=(const TBenchHost&) = delete;

    // Starts the session as AutoWirer_Create does: the tree built from the sheet.
    TTimes StartSession(const TRouteOptions& options, const TSpeedUps& speedUps,
                        const TRouteRules& rules);
    // The user places a wire at a and drags its end to b; the session routes
    // that segment. The wire stays on the sheet unless told otherwise.
    TRequestResult Route(const TSheetPoint& a, const TSheetPoint& b, const TRouteOptions& options,
                         bool keepWire = true);

private:
    workbench::TSheetDocument& sheet_;
    workbench::TReportCapture capture_;
    std::unique_ptr<TMainApp> session_;
};

} // namespace pathwick::bench
