#include "bench/quality/QualityRun.h"

#include "plugin/MainApp.h"
#include "workbench/cli/RouteJob.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/ReportSink.h"
#include "workbench/model/WorkbenchHost.h"

#include <chrono>
#include <exception>
#include <set>

namespace pathwick::quality {

namespace wb = workbench;

namespace {

using TClock = std::chrono::steady_clock;

// A sheet of the same size holding the objects that `keep` accepts, in order.
template <class F> THostRef<wb::TSheetDocument> SheetWith(const wb::TSheetDocument& sheet, F keep) {
    THostRef<wb::TSheetDocument> copy = wb::TSheetDocument::Create(sheet.Width(), sheet.Height());
    for (const auto& object : sheet.Objects())
        if (keep(*object))
            copy->AddObject(*object);
    return copy;
}

// One request as the module's export makes it: a new wire from the chain's
// start to its end, routed by the session.
TRequestResult Route(TMainApp& session, wb::TSheetDocument& sheet, const TWireChain& chain,
                     std::size_t index, const TRouteOptions& options, wb::TReportCapture& capture) {
    TRequestResult r;
    r.Chain = index;
    r.From = chain.From();
    r.To = chain.To();
    r.DesignerBends = CountBends(chain.Points);
    r.DesignerLength = wb::PathLength(chain.Points); // |dx| + |dy| per piece
    THostRef<wb::TPolyline> wire = wb::TPolyline::Create(wb::kinds::Wire, {r.From, r.To});
    sheet.AddObject(*wire);
    capture.Clear();
    const TClock::time_point started = TClock::now();
    try {
        r.Routed = session.RouteSegment(wire.Get(), r.From, r.To, options);
    } catch (const std::exception& e) {
        r.Error = e.what();
    }
    r.Milliseconds = std::chrono::duration<double, std::milli>(TClock::now() - started).count();
    if (const std::optional<TRouteReport>& report = capture.Last()) {
        r.Failure = report->Failure;
        r.ByMends = report->Mended != 0;
        r.Nodes = report->ForwardNodes + report->ReverseNodes;
    }
    if (r.Routed) {
        r.Path = wire->Vertices();
        r.Bends = CountBends(r.Path);
        r.Length = wb::PathLength(r.Path);
    }
    return r;
}

std::vector<TRequestResult> RunRedraw(const TRouteRules& rules, const wb::TSheetDocument& sheet,
                                      const TChainSet& chains, const TSheetNets& nets,
                                      const TRouteOptions& options) {
    wb::TWorkbenchHost& host = wb::TWorkbenchHost::Instance();
    wb::TReportCapture capture;
    std::vector<TRequestResult> results;
    for (std::size_t i = 0; i < chains.Chains.size(); ++i) {
        const TWireChain& chain = chains.Chains[i];
        const std::set<const wb::TSheetObject*> removed(chain.Wires.begin(), chain.Wires.end());
        THostRef<wb::TSheetDocument> without =
            SheetWith(sheet, [&](const wb::TSheetObject& o) { return !removed.count(&o); });
        host.SetActiveDocument(without.Get());
        TMainApp session(THostRef<ISch_Document>::Share(without.Get()), rules);
        session.BuildObstacleTree(options);
        TRequestResult r = Route(session, *without, chain, i, options, capture);

        if (r.Routed) {
            TCheckScene scene;
            scene.Bodies = &nets.Bodies();
            for (const TNetRun& run : nets.Runs())
                if (!removed.count(run.Owner))
                    scene.Runs.push_back(run);
            for (const TNetPoint& p : nets.Points())
                if (!removed.count(p.Owner))
                    scene.Points.push_back(p);
            r.Findings = CheckPath(r.Path, r.From, r.To, chain.Net, scene);
        }
        results.push_back(std::move(r));
    }
    host.SetActiveDocument(nullptr);
    return results;
}

std::vector<TRequestResult> RunScratch(const TRouteRules& rules, const wb::TSheetDocument& sheet,
                                       const TChainSet& chains, const TSheetNets& nets,
                                       const TRouteOptions& options) {
    wb::TWorkbenchHost& host = wb::TWorkbenchHost::Instance();
    wb::TReportCapture capture;
    THostRef<wb::TSheetDocument> bare = SheetWith(sheet, [](const wb::TSheetObject& o) {
        return o.Kind() != wb::kinds::Wire && o.Kind() != wb::kinds::Junction;
    });
    host.SetActiveDocument(bare.Get());
    TMainApp session(THostRef<ISch_Document>::Share(bare.Get()), rules);
    session.BuildObstacleTree(options);

    // What the checks see grows with every routed path.
    TCheckScene scene;
    scene.Bodies = &nets.Bodies();
    for (const TNetRun& run : nets.Runs())
        if (run.Bus)
            scene.Runs.push_back(run);
    for (const TNetPoint& p : nets.Points())
        if (p.Kind != TPointKind::WireVertex && p.Kind != TPointKind::Junction)
            scene.Points.push_back(p);

    std::vector<TRequestResult> results;
    for (std::size_t i = 0; i < chains.Chains.size(); ++i) {
        const TWireChain& chain = chains.Chains[i];
        TRequestResult r = Route(session, *bare, chain, i, options, capture);
        if (r.Routed) {
            r.Findings = CheckPath(r.Path, r.From, r.To, chain.Net, scene);
            for (const TSegment& s : SegmentsOf(r.Path))
                scene.Runs.push_back({s, chain.Net, nullptr, false});
            for (const TSheetPoint& v : r.Path)
                scene.Points.push_back({v, TPointKind::WireVertex, chain.Net, nullptr});
        }
        results.push_back(std::move(r));
    }
    host.SetActiveDocument(nullptr);
    return results;
}

} // namespace

std::vector<TRequestResult> RunScenario(TScenario scenario, const TRouteRules& rules,
                                        const wb::TSheetDocument& sheet, const TChainSet& chains,
                                        const TSheetNets& nets, const TRouteOptions& options) {
    return scenario == TScenario::Redraw ? RunRedraw(rules, sheet, chains, nets, options)
                                         : RunScratch(rules, sheet, chains, nets, options);
}

} // namespace pathwick::quality
