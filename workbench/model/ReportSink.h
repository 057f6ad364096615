// Lets the workbench hear what the module reports about each request.
#pragma once

#include "host/HostInterfaces.h"

#include <optional>

namespace pathwick::workbench {

// While it lives, the workbench client answers IRouteReportSink and keeps the
// latest report here.
class TReportCapture {
public:
    TReportCapture();
    ~TReportCapture();
    TReportCapture(const TReportCapture&) = delete;
    TReportCapture& operator=(const TReportCapture&) = delete;

    const std::optional<TRouteReport>& Last() const { return last_; }
    void Clear() { last_.reset(); }

private:
    friend void DeliverRouteReport(const TRouteReport& report);
    std::optional<TRouteReport> last_;
};

// Whether a capture is listening: only then does the client answer IRouteReportSink.
bool ReportSinkActive();
// What the client's IRouteReportSink does with a report.
void DeliverRouteReport(const TRouteReport& report);

} // namespace pathwick::workbench
