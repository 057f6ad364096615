// An SVG picture of a workbench sheet, for looking at routes.
#pragma once

#include "workbench/model/SheetDocument.h"

#include <set>
#include <string>
#include <vector>

namespace pathwick::workbench {

// Sheet objects picked out by identity (THostObject::Id). Converts from a
// list of object pointers, so a caller can pass the wires it routed.
class THighlightSet {
public:
    THighlightSet() = default;
    template <class T> THighlightSet(const std::vector<T*>& objects) {
        for (const THostObject* object : objects)
            if (object)
                Add(*object);
    }
    void Add(const THostObject& object) { ids_.insert(object.Id()); }
    bool Contains(const THostObject& object) const { return ids_.count(object.Id()) != 0; }
    bool Empty() const { return ids_.empty(); }

private:
    std::set<uint64_t> ids_;
};

struct TSvgOptions {
    // Width of the picture in pixels; the height follows the sheet's shape.
    int PixelWidth = 1100;
    // A dot at every grid step (sheet units; no dots when not positive).
    bool GridDots = false;
    int32_t GridStep = 1000000;
    // Sheet objects to draw in the strong colour, e.g. wires that a router has
    // just extended.
    THighlightSet Highlight;
    // Extra runs drawn in the strong colour, e.g. a found path not on the sheet.
    std::vector<std::vector<TSheetPoint>> Overlays;
    // Points to mark with a ring, e.g. the ends of a routing request.
    std::vector<TSheetPoint> Marks;
    // Shown as the picture's title.
    std::string Title;
};

// Draws the sheet with y upward as on the sheet: symbol bodies and pins of
// the current part and view (hidden pins only when the symbol shows them),
// labels and texts, wires, buses, bus entries, junctions and other graphics.
// Every drawn element carries a class naming what it is ("wire", "bus",
// "bus-entry", "junction", "pin", "body", "label", "mark", "routed", ...).
std::string RenderSheetSvg(const TSheetDocument& sheet, const TSvgOptions& options = {});

} // namespace pathwick::workbench
