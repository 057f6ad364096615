#include "bench/BenchHost.h"

#include "host/ClientLookup.h"
#include "plugin/Module.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/WorkbenchHost.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

namespace pathwick::bench {

namespace {

namespace wb = workbench;

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Measures from construction to Stop.
class TStopwatch {
public:
    TStopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(ThreadCpuMs()) {}
    TTimes Stop() const {
        const std::chrono::duration<double, std::milli> wall =
            std::chrono::steady_clock::now() - wall_;
        return {wall.count(), ThreadCpuMs() - cpu_};
    }

private:
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

} // namespace

TBenchHost::TBenchHost(wb::TSheetDocument& sheet, bool countsPerObject) : sheet_(sheet) {
    wb::TWorkbenchHost& host = wb::TWorkbenchHost::Instance();
    host.Reset();
    host.Faults().SetPerObjectCounts(countsPerObject);
    host.SetActiveDocument(&sheet);
    SetModuleClient(&host.Client());
}

TBenchHost::~TBenchHost() {
    session_.reset();
    SetModuleClient(nullptr);
    wb::TWorkbenchHost::Instance().Reset();
}

TTimes TBenchHost::StartSession(const TRouteOptions& options, const TSpeedUps& speedUps,
                                const TRouteRules& rules) {
    const TStopwatch watch;
    pathwick::StartSession(session_, options, speedUps, rules);
    return watch.Stop();
}

TRequestResult TBenchHost::Route(const TSheetPoint& a, const TSheetPoint& b,
                                 const TRouteOptions& options, bool keepWire) {
    if (!session_)
        throw std::logic_error("no session to route in");
    THostRef<wb::TPolyline> wire = wb::TPolyline::Create(wb::kinds::Wire, {a, b});
    sheet_.AddObject(*wire);
    capture_.Clear();
    TRequestResult result;
    const TStopwatch watch;
    result.Routed = session_->RouteSegment(wire.Get(), a, b, options);
    result.Time = watch.Stop();
    if (!capture_.Last())
        throw std::runtime_error("the session did not report a request");
    const TRouteReport& report = *capture_.Last();
    result.Searches = report.ForwardRan + report.ReverseRan;
    result.Stopped = (report.ForwardRan && !report.ForwardCompleted ? 1 : 0) +
                     (report.ReverseRan && !report.ReverseCompleted ? 1 : 0);
    result.Nodes = report.ForwardNodes + report.ReverseNodes;
    result.Rays = report.ForwardRays + report.ReverseRays;
    result.Wire = wire->Vertices();
    if (!keepWire)
        sheet_.RemoveObject(*wire);
    return result;
}

} // namespace pathwick::bench
