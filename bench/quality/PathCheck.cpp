#include "bench/quality/PathCheck.h"

#include <string>

namespace pathwick::quality {

namespace {

std::string Text(TSheetPoint p) {
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

const char* KindName(TPointKind kind) {
    switch (kind) {
    case TPointKind::Pin:
        return "pin";
    case TPointKind::HiddenPin:
        return "hidden pin";
    case TPointKind::Label:
        return "label";
    case TPointKind::Junction:
        return "junction";
    case TPointKind::BusEntry:
        return "bus entry";
    case TPointKind::WireVertex:
        return "wire end";
    }
    return "?";
}

bool OnPath(const std::vector<TSegment>& pieces, TSheetPoint p) {
    for (const TSegment& s : pieces)
        if (OnSegment(s, p))
            return true;
    return false;
}

} // namespace

TPathFindings CheckPath(const std::vector<TSheetPoint>& path, TSheetPoint from, TSheetPoint to,
                        int net, const TCheckScene& scene) {
    TPathFindings f;
    const std::vector<TSegment> pieces = SegmentsOf(path);
    for (const TSegment& s : pieces)
        if (s.A.X != s.B.X && s.A.Y != s.B.Y)
            f.AxisParallel = false;
    f.EndsExact = !path.empty() && path.front() == from && path.back() == to;

    const auto atEnd = [&](TSheetPoint p) { return p == from || p == to; };
    // Another net's connection point anywhere on the path.
    for (const TNetPoint& p : scene.Points) {
        if (p.Net == net || !OnPath(pieces, p.At))
            continue;
        if (atEnd(p.At)) {
            ++f.EndsOnOtherNet;
        } else if (p.Kind == TPointKind::WireVertex) {
            ++f.Shorts;
            f.Notes.push_back(std::string("touches a wire end of another net at ") + Text(p.At));
        } else {
            ++f.FalseConnections;
            f.Notes.push_back(std::string("touches a ") + KindName(p.Kind) + " of another net at " +
                              Text(p.At));
        }
    }
    for (const TNetRun& run : scene.Runs) {
        bool overlap = false;
        for (const TSegment& s : pieces) {
            if (OverlapCollinear(s, run.Run))
                overlap = true;
            else if (CrossProperly(s, run.Run))
                ++f.WiresCrossed;
        }
        if (overlap) {
            ++f.Overlaps;
            f.Notes.push_back("runs along a " + std::string(run.Bus ? "bus" : "wire") + " from " +
                              Text(run.Run.A) + " to " + Text(run.Run.B));
        }
        if (run.Net == net && !run.Bus)
            continue;
        // A vertex of the path on another net's wire or on a bus; a wire's
        // own ends are connection points, counted above.
        for (const TSheetPoint& v : path) {
            const bool on = run.Bus ? OnSegment(run.Run, v) : InsideSegment(run.Run, v);
            if (!on)
                continue;
            if (atEnd(v)) {
                ++f.EndsOnOtherNet;
            } else {
                ++f.Shorts;
                f.Notes.push_back("a corner on a " + std::string(run.Bus ? "bus" : "wire") +
                                  " of another net at " + Text(v));
            }
            break;
        }
    }
    if (scene.Bodies) {
        for (const TBody& body : *scene.Bodies) {
            bool through = false;
            for (const TSegment& s : pieces) {
                if (body.HasBox && RunsThroughOpenBox(s, body.Box))
                    through = true;
                for (const TBody::TLead& lead : body.Leads) {
                    // Touching the lead anywhere but at its connection point.
                    const bool meets = OverlapCollinear(s, lead.Run) ||
                                       CrossProperly(s, lead.Run) ||
                                       (OnSegment(lead.Run, s.A) && !(s.A == lead.Tip)) ||
                                       (OnSegment(lead.Run, s.B) && !(s.B == lead.Tip)) ||
                                       InsideSegment(s, lead.Run.B);
                    if (meets)
                        through = true;
                }
            }
            if (through) {
                ++f.BodyCrossings;
                f.Notes.push_back("runs through the body of " +
                                  (body.Name.empty() ? std::string("a symbol") : body.Name));
            }
        }
    }
    return f;
}

} // namespace pathwick::quality
