// The nets of a sheet as the quality benchmark sees them, built from the
// sheet's own objects: which wires, pins, labels and junctions are one
// electrical net. The router's obstacles play no part in it.
#pragma once

#include "bench/quality/Segments.h"
#include "workbench/model/SheetDocument.h"

#include <string>
#include <vector>

namespace pathwick::quality {

// What sits at a point where wires connect.
enum class TPointKind : uint8_t { Pin, HiddenPin, Label, Junction, BusEntry, WireVertex };

struct TNetPoint {
    TSheetPoint At;
    TPointKind Kind = TPointKind::Pin;
    int Net = 0;
    const workbench::TSheetObject* Owner = nullptr; // the wire, pin, label, ...
};

// A straight piece of a wire or bus.
struct TNetRun {
    TSegment Run;
    int Net = 0;
    const workbench::TSheetObject* Owner = nullptr; // the wire or bus
    bool Bus = false;
};

// What a wire must not run through: a symbol's body (the box round its
// drawn graphics) and the leads of its visible pins.
struct TBody {
    bool HasBox = false;
    TSheetRect Box;
    struct TLead {
        TSegment Run;    // from the connection point into the body
        TSheetPoint Tip; // the connection point (Run.A)
    };
    std::vector<TLead> Leads;
    std::string Name; // the designator
};

// Net model: two things are joined when one's connection point lies on the
// other (a wire end, pin, label anchor, junction or bus entry end on a wire,
// its ends or its inside; any two of them on one point); labels of the same
// name are one net, and so are hidden pins of the same name (power pins).
// Buses are not followed: each bus is a net of its own, and a bus entry
// joins only what touches its ends.
class TSheetNets {
public:
    explicit TSheetNets(const workbench::TSheetDocument& sheet);

    const std::vector<TNetRun>& Runs() const { return runs_; }
    const std::vector<TNetPoint>& Points() const { return points_; }
    const std::vector<TBody>& Bodies() const { return bodies_; }
    int NetCount() const { return netCount_; }
    // The net of a wire (or any object with points or runs); -1 for none.
    int NetOf(const workbench::TSheetObject* object) const;

private:
    std::vector<TNetRun> runs_;
    std::vector<TNetPoint> points_;
    std::vector<TBody> bodies_;
    int netCount_ = 0;
};

} // namespace pathwick::quality
