// Places wires on a sheet as a user would, routing every segment through the module.
#pragma once

#include "host/HostInterfaces.h"
#include "workbench/cli/ModuleLoader.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pathwick::workbench {

// One wire to place: its first point, then the end of every segment.
using TWirePoints = std::vector<TSheetPoint>;

struct TSegmentResult {
    int WireIndex = 0;    // from 0
    int SegmentIndex = 0; // from 0 within its wire
    TSheetPoint From;
    TSheetPoint To;
    bool Routed = false;
    std::vector<TSheetPoint>
        Path; // from From to To as written into the wire; empty when not routed
    // Not routed: the run placed instead (a horizontal then a vertical run,
    // marked unrouted in the wire).
    std::vector<TSheetPoint> Placed;
    int64_t Length = 0; // of Path, in sheet units
    int Bends = 0;
    double Milliseconds = 0;
    bool HaveReport = false; // the module told how its searches went
    TRouteReport Report{};
    std::string Error; // a host error that left the module, if any
};

struct TRouteJobResult {
    std::vector<TSegmentResult> Segments;
    std::vector<THostRef<TPolyline>> Wires; // the placed wires, on the sheet
    int RoutedCount() const;
    int FailedCount() const;
};

// Makes `document` the active document, starts a session, places each wire on
// the sheet and routes its segments one by one, then ends the session. A
// segment that is not routed is placed with one corner and marked unrouted.
// The callback, when set, hears of every segment as soon as it is done.
TRouteJobResult RunRouteJob(TModule& module, TSheetDocument& document,
                            const std::vector<TWirePoints>& wires,
                            const std::function<void(const TSegmentResult&)>& onSegment = {});

// Total length and bends of an orthogonal path.
int64_t PathLength(const std::vector<TSheetPoint>& path);
int PathBends(const std::vector<TSheetPoint>& path);

} // namespace pathwick::workbench
