#include "workbench/model/ReportSink.h"

namespace pathwick::workbench {

namespace {
TReportCapture* g_active = nullptr;
} // namespace

TReportCapture::TReportCapture() {
    g_active = this;
}

TReportCapture::~TReportCapture() {
    if (g_active == this)
        g_active = nullptr;
}

bool ReportSinkActive() {
    return g_active != nullptr;
}

void DeliverRouteReport(const TRouteReport& report) {
    if (g_active)
        g_active->last_ = report;
}

} // namespace pathwick::workbench
