#include "workbench/cli/RouteJob.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/ReportSink.h"
#include "workbench/model/UnroutedRun.h"
#include "workbench/model/WorkbenchHost.h"

#include <chrono>
#include <cstdlib>
#include <exception>

namespace pathwick::workbench {

int TRouteJobResult::RoutedCount() const {
    int n = 0;
    for (const auto& s : Segments)
        n += s.Routed ? 1 : 0;
    return n;
}

int TRouteJobResult::FailedCount() const {
    return static_cast<int>(Segments.size()) - RoutedCount();
}

int64_t PathLength(const std::vector<TSheetPoint>& path) {
    int64_t length = 0;
    for (std::size_t i = 1; i < path.size(); ++i)
        length += std::llabs(int64_t{path[i].X} - path[i - 1].X) +
                  std::llabs(int64_t{path[i].Y} - path[i - 1].Y);
    return length;
}

int PathBends(const std::vector<TSheetPoint>& path) {
    int bends = 0;
    for (std::size_t i = 2; i < path.size(); ++i) {
        const bool firstHorizontal = path[i - 1].Y == path[i - 2].Y;
        const bool secondHorizontal = path[i].Y == path[i - 1].Y;
        bends += firstHorizontal != secondHorizontal ? 1 : 0;
    }
    return bends;
}

TRouteJobResult RunRouteJob(TModule& module, TSheetDocument& document,
                            const std::vector<TWirePoints>& wires,
                            const std::function<void(const TSegmentResult&)>& onSegment) {
    TWorkbenchHost& host = TWorkbenchHost::Instance();
    host.SetActiveDocument(&document);
    TRouteJobResult result;
    TReportCapture capture;

    module.Create();
    for (std::size_t w = 0; w < wires.size(); ++w) {
        const TWirePoints& points = wires[w];
        if (points.empty())
            continue;
        THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {points.front()});
        document.AddObject(*wire);
        result.Wires.push_back(wire);
        for (std::size_t i = 1; i < points.size(); ++i) {
            // The user drags the segment's end: it becomes the wire's last vertex.
            std::vector<TSheetPoint> before = wire->Vertices();
            const TSheetPoint from = before.back();
            const TSheetPoint to = points[i];
            std::vector<TSheetPoint> placed = before;
            placed.push_back(to);
            wire->SetVertices(placed);

            TSegmentResult segment;
            segment.WireIndex = static_cast<int>(w);
            segment.SegmentIndex = static_cast<int>(i - 1);
            segment.From = from;
            segment.To = to;
            capture.Clear();
            const auto started = std::chrono::steady_clock::now();
            try {
                segment.Routed = module.Execute(wire.Get(), from.X, from.Y, to.X, to.Y) != 0;
            } catch (const std::exception& e) {
                segment.Error = e.what();
            }
            segment.Milliseconds = std::chrono::duration<double, std::milli>(
                                       std::chrono::steady_clock::now() - started)
                                       .count();
            if (capture.Last()) {
                segment.HaveReport = true;
                segment.Report = *capture.Last();
            }
            if (segment.Routed) {
                const std::vector<TSheetPoint> after = wire->Vertices();
                // The path replaced the last two vertices, from `from` on.
                segment.Path.assign(after.begin() + static_cast<std::ptrdiff_t>(before.size() - 1),
                                    after.end());
                segment.Length = PathLength(segment.Path);
                segment.Bends = PathBends(segment.Path);
            } else {
                segment.Placed = PlaceUnrouted(*wire, before, to);
            }
            if (onSegment)
                onSegment(segment);
            result.Segments.push_back(std::move(segment));
        }
    }
    module.Destroy();
    return result;
}

} // namespace pathwick::workbench
