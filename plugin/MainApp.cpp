#include "plugin/MainApp.h"

#include "geometry/Direction.h"
#include "host/ClientLookup.h"
#include "host/FreeWire.h"
#include "host/HostCall.h"
#include "host/PolygonAccess.h"
#include "options/RouteOptions.h"
#include "platform/qt/Beep.h"
#include "platform/qt/WaitCursor.h"
#include "router/EdgeRouter.h"
#include "sheet/SheetExtent.h"
#include "sheet/SheetObstacles.h"

#include <utility>

namespace pathwick {

namespace {

// Positions of every temporary wire written before its vertices are copied.
constexpr int32_t PreWrittenVertices = 50;

// Why no path was found. The forward search runs from the start to the end,
// so its own start and end are the request's.
uint8_t RouteFailure(const TRouteStats& stats) {
    const TSearchOutcome& forward = stats.Forward;
    const TSearchOutcome& reverse = stats.Reverse;
    if (stats.Found)
        return RouteFailureNone;
    if (forward.StartBlocked || forward.TargetBlocked) {
        if (forward.StartBlocked && forward.TargetBlocked)
            return RouteFailureBothBlocked;
        return forward.StartBlocked ? RouteFailureStartBlocked : RouteFailureEndBlocked;
    }
    if (!forward.Ran && !reverse.Ran)
        return RouteFailureSamePoint;
    if (forward.NoWayOut)
        return forward.NoWayOutAtTarget ? RouteFailureEndBoxedIn : RouteFailureStartBoxedIn;
    if ((forward.Ran && forward.Completed) || (reverse.Ran && reverse.Completed))
        return RouteFailureNoPathUnderBound;
    if (forward.StoppedByBudget || reverse.StoppedByBudget)
        return RouteFailureOutOfTime;
    return RouteFailureNone;
}

// Tells a host that listens how the request went.
void ReportToHost(const TRouteStats& stats) {
    THostRef<IRouteReportSink> sink = QueryAs<IRouteReportSink>(ModuleClient());
    if (!sink)
        return;
    TRouteReport report{};
    report.Found = stats.Found;
    report.ReverseChosen = stats.ReverseChosen;
    report.ForwardRan = stats.Forward.Ran;
    report.ReverseRan = stats.Reverse.Ran;
    report.ForwardCompleted = stats.Forward.Completed;
    report.ReverseCompleted = stats.Reverse.Completed;
    report.ForwardNodes = stats.Forward.Nodes;
    report.ReverseNodes = stats.Reverse.Nodes;
    report.ForwardRays = stats.Forward.Rays;
    report.ReverseRays = stats.Reverse.Rays;
    report.Failure = RouteFailure(stats);
    report.Mended = stats.FoundByMends;
    HostCall(sink->ReportRoute(report));
}

// The extent of the sheet the host shows now, asked afresh at each use.
TBoundingRect CurrentSheetExtent() {
    TBoundingRect sheet;
    SetToSheet(sheet, FindSchematicService().Get());
    return sheet;
}

// The settings the router works with, as they stand now.
TRouterSettings RouterSettingsOf(const TRouteOptions& options, const TRouteRules& rules) {
    return TRouterSettings{options.GetTimeOut(), options.GetAvoidWiresPosition(), rules};
}

// A new free-standing wire: the session's temporary wire and the router's
// result. Without a schematic service there is nothing to make one with.
THostRef<ISch_Wire> NewHostWire() {
    const THostRef<ISch_EditorService> service = FindSchematicService();
    return service ? NewFreeWire(*service) : THostRef<ISch_Wire>();
}

} // namespace

TMainApp::TMainApp(THostRef<ISch_Document> document, const TRouteRules& rules,
                   const TSpeedUps& speedUps)
    : document_(std::move(document)), speedUps_(speedUps), rules_(rules) {}

TMainApp::~TMainApp() = default;

void TMainApp::BuildObstacleTree(const TRouteOptions& options) {
    if (!document_)
        return;
    TWaitCursor wait;
    tree_.reset();
    tree_ = std::make_unique<TObstacleTree>(CurrentSheetExtent());
    tree_->Walks = speedUps_.Walks;
    BuildFromDocument(*tree_, document_.Get(), options.GetObjectInset() - 1);
}

bool TMainApp::RouteSegment(ISch_Wire* wire, const TSheetPoint& start, const TSheetPoint& end,
                            const TRouteOptions& options) {
    bool result = false;
    // Identity of the references, not of the objects behind them; switching
    // happens before any check.
    if (wire != currentWire_.Get()) {
        committedCount_ = 0;
        currentWire_ = THostRef<ISch_Wire>::Share(wire);
    }
    if (!EndpointsMatch(start, end))
        return false;
    TWaitCursor wait;
    if (!tree_)
        return false;
    CommitPlacedVertices();
    {
        TEdgeRouter router(start, end, RouterSettingsOf(options, rules_), *tree_,
                           CurrentSheetExtent(), NewHostWire, speedUps_.Search);
        THostRef<ISch_Wire> path = router.FindPath();
        ReportToHost(router.Stats());
        if (path) {
            RecordPath(path);
            SplicePath(path, start, end);
            result = true;
            currentWire_.Reset();
        } else {
            MessageBeep(0);
        }
    }
    return result;
}

bool TMainApp::EndpointsMatch(const TSheetPoint& start, const TSheetPoint& end) {
    if (!currentWire_)
        return false;
    const int32_t n = VertexCount(currentWire_.Get());
    if (n < 2)
        return true;
    if (!SamePoint(Vertex(currentWire_.Get(), n - 1), start))
        return false;
    return SamePoint(Vertex(currentWire_.Get(), n), end);
}

void TMainApp::CommitPlacedVertices() {
    if (!currentWire_)
        return;
    ISch_Wire* wire = currentWire_.Get();
    int32_t n = VertexCount(wire);
    if (n <= committedCount_)
        return;

    THostRef<ISch_Wire> temporary = NewHostWire();
    if (!temporary)
        return;

    HostCall(temporary->SetVertexCount(0));
    for (int32_t i = 1; i <= PreWrittenVertices; ++i)
        HostCall(temporary->SetVertex(i, TSheetPoint{0, 0}));

    n = VertexCount(wire);
    // Every vertex not yet committed except the last one, the end point being routed.
    const int32_t c = n - 1 - committedCount_;
    for (int32_t i = 1; i <= c; ++i) {
        const TSheetPoint p = Vertex(wire, committedCount_ + i);
        HostCall(temporary->SetVertex(i, p));
        HostCall(temporary->SetVertexCount(VertexCount(temporary.Get()) + 1));
    }
    AddPolyline(*tree_, temporary.Get());
    committedCount_ = VertexCount(wire) - 1;
}

void TMainApp::RecordPath(const THostRef<ISch_Wire>& path) {
    if (!path)
        return;
    AddPolyline(*tree_, path.Get());
}

void TMainApp::SplicePath(const THostRef<ISch_Wire>& path, const TSheetPoint& start,
                          const TSheetPoint& end) {
    if (!path || !currentWire_)
        return;
    ISch_Wire* wire = currentWire_.Get();
    const int32_t n = VertexCount(wire);

    // The two vertices the splice replaces, so that a host failure half-way
    // can put the wire back as the user placed it. A wire of fewer than two
    // vertices passed the end-point check without holding them: keep what it has.
    std::pair<int32_t, TSheetPoint> dropped[2];
    int32_t droppedCount = 0;
    if (n >= 2) {
        dropped[droppedCount++] = {n - 1, start};
        dropped[droppedCount++] = {n, end};
    } else if (n == 1) {
        dropped[droppedCount++] = {1, Vertex(wire, 1)};
    }

    try {
        // A wire of fewer than two vertices becomes the path alone: the count
        // never goes below zero.
        HostCall(wire->SetVertexCount(n >= 2 ? n - 2 : 0));
        const int32_t m = VertexCount(path.Get());
        for (int32_t j = m; j >= 1; --j) {
            const TSheetPoint p = Vertex(path.Get(), j);
            const int32_t k = VertexCount(wire);
            HostCall(wire->SetVertex(k + 1, p));
            HostCall(wire->SetVertexCount(VertexCount(wire) + 1));
        }
    } catch (...) {
        // Best effort: the host has just failed once; the original error is what leaves.
        const auto tryCall = [](THostResult status) {
            try {
                HostCall(status);
            } catch (const EHostCallError&) {
            }
        };
        for (int32_t i = 0; i < droppedCount; ++i)
            tryCall(wire->SetVertex(dropped[i].first, dropped[i].second));
        tryCall(wire->SetVertexCount(n));
        throw;
    }
}

} // namespace pathwick
