// Wire placement as the editor does it: clicks place segments, and each
// segment is handed to the routing module as soon as it is placed.
#pragma once

#include "workbench/cli/ModuleLoader.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace pathwick::workbench {

// What became of one click.
struct TClickOutcome {
    enum class TKind {
        Started,   // a new wire was started at the point
        Ignored,   // the point is the segment's own start: nothing placed
        Routed,    // the segment was placed and routed by the module
        NotRouted, // placed with one corner, unrouted: no path, or no module or session
        Failed,    // placed with one corner, unrouted: the module raised a host error
    };
    TKind Kind = TKind::Ignored;
    TSheetPoint From;
    TSheetPoint To;
    double Milliseconds = 0; // of the module's request
    std::string Error;       // for Failed
    std::string Why;         // for NotRouted: the module's reason, when it told one
};

class TWirePlacer {
public:
    // `module` may be null: segments are then placed unrouted. Neither is owned.
    TWirePlacer(TSheetDocument& sheet, TModule* module);

    bool Placing() const { return static_cast<bool>(wire_); }
    // The wire being placed, or null.
    TPolyline* CurrentWire() const { return wire_.Get(); }
    // Where the next segment starts (the current wire's last vertex).
    std::optional<TSheetPoint> SegmentStart() const;

    // A click at a grid point: starts a wire, or ends the current segment and
    // routes it. The next segment starts at the wire's new last vertex.
    TClickOutcome Click(TSheetPoint point);
    // Ends the wire being placed; a wire that never got a segment is removed.
    void EndWire();

    // Takes back the latest segment: the wire gets the vertices it had before
    // that segment, and a wire left with one vertex is removed from the sheet.
    // False when there is nothing to take back.
    bool Undo();
    bool CanUndo() const { return !undo_.empty(); }

private:
    struct TUndoStep {
        THostRef<TPolyline> Wire;
        std::vector<TSheetPoint> Before;
    };

    TClickOutcome PlaceSegment(TSheetPoint to);

    TSheetDocument& sheet_;
    TModule* module_;
    THostRef<TPolyline> wire_;
    std::vector<TUndoStep> undo_;
};

} // namespace pathwick::workbench
