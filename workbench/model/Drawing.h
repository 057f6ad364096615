// How a sheet object looks, where the host interfaces say nothing about it:
// the lines, arcs, circles and texts that an imported schematic draws. The
// router never sees these; the picture and the window draw them instead of
// the object's plain box.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pathwick::workbench {

enum class TShapeKind : uint8_t {
    Lines,   // open chain through Points
    Polygon, // closed chain through Points
    Circle,  // centre Points[0], Radius
    Arc,     // Points: start, a point on the arc, end
    Bezier,  // Points: start, two control points, end
    Text,    // Text written at Points[0]
};

// What a shape belongs to; decides its colour.
enum class TInk : uint8_t {
    Body,
    Pin,
    PinName,
    PinNumber,
    Reference,
    Field,
    Label,
    GlobalLabel,
    HierLabel,
    Note,
    Junction,
    NoConnect,
    Bus,
    Sheet,
    SheetName,
    SheetFile,
    SheetPin,
    Graphic,
};

enum class TShapeFill : uint8_t { None, Outline, Background };

// Where a text's anchor lies in the text's own box: at its start, centre or end
// along the line, and at its top, middle or bottom across it.
enum class TTextAlign : int8_t { Start = -1, Centre = 0, End = 1 };

struct TShape {
    TShapeKind Kind = TShapeKind::Lines;
    TInk Ink = TInk::Graphic;
    TShapeFill Fill = TShapeFill::None;
    bool Dashed = false;
    int32_t PenWidth = 0; // sheet units; 0 draws the thinnest line
    std::vector<TSheetPoint> Points;
    int32_t Radius = 0;
    // Texts: height in sheet units, reading direction (0: left to right,
    // 90: bottom to top) and alignment; the font is the viewer's.
    std::string Text;
    int32_t TextSize = 0;
    int16_t Angle = 0;
    TTextAlign Along = TTextAlign::Start;
    TTextAlign Across = TTextAlign::End; // End: the anchor is on the baseline
};

using TDrawing = std::vector<TShape>;

// The colour of an ink as "#rrggbb" (close to a schematic editor's own), and
// the fill of bodies drawn with TShapeFill::Background.
const char* InkColour(TInk ink);
inline constexpr const char* BodyFillColour = "#ffffc2";
// The circle through three points (in any units and orientation); nothing
// when the points lie in a line.
struct TCircle {
    double X = 0;
    double Y = 0;
    double Radius = 0;
};
std::optional<TCircle> CircleThrough(double ax, double ay, double bx, double by, double cx,
                                     double cy);

// A short name of what an ink draws ("pin", "label", ...), e.g. for SVG classes.
const char* InkClass(TInk ink);

} // namespace pathwick::workbench
