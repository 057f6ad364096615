// The independent checks of one routed path against the sheet it was routed
// on: what a person would find wrong with the wire, seen only through the
// sheet's own objects and nets.
#pragma once

#include "bench/quality/SheetNets.h"

#include <string>
#include <vector>

namespace pathwick::quality {

// The sheet as a path must respect it: the runs and connection points that
// are on the sheet at the time of the request, with their nets, and the
// symbols' bodies.
struct TCheckScene {
    std::vector<TNetRun> Runs;
    std::vector<TNetPoint> Points;
    const std::vector<TBody>* Bodies = nullptr;
};

struct TPathFindings {
    bool AxisParallel = true; // every piece horizontal or vertical
    bool EndsExact = true;    // starts at the request's start, ends at its end
    int BodyCrossings = 0;    // symbols whose body or a pin's lead the path runs through
    int Shorts = 0;           // contacts with another net's wire (an end on it, or it on us)
    int FalseConnections = 0; // another net's pin, label, junction or bus entry on the path
    int Overlaps = 0;         // wire pieces the path runs along (any net)
    int WiresCrossed = 0;     // wire pieces the path crosses
    // Another net at the request's own end points: the request's doing, not
    // the router's (an earlier route of a sheet wired from scratch may pass
    // a point that a later request ends on). Not counted as shorts.
    int EndsOnOtherNet = 0;
    std::vector<std::string> Notes; // what each finding is, for the details

    bool Clean() const {
        return AxisParallel && EndsExact && BodyCrossings == 0 && Shorts == 0 &&
               FalseConnections == 0 && Overlaps == 0;
    }
};

// Checks path (from the request's start to its end) as a wire of net `net`.
TPathFindings CheckPath(const std::vector<TSheetPoint>& path, TSheetPoint from, TSheetPoint to,
                        int net, const TCheckScene& scene);

} // namespace pathwick::quality
