#include "workbench/kicad/LabelShapes.h"

#include "workbench/kicad/SymbolTransform.h"
#include "workbench/model/SheetObjects.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace pathwick::workbench::kicad {

namespace {

// Positions in the label's own frame: `along` its body from the anchor,
// `across` it toward the side texts are read from (up the page, or left of
// an upright label). Sheet units.
struct TLocal {
    int64_t Along = 0;
    int64_t Across = 0;
};

class TLabelFrame {
public:
    TLabelFrame(TSheetPoint anchor, int quarter) : anchor_(anchor), q_(quarter & 3) {}

    TSheetPoint At(TLocal p) const {
        const int64_t upX = q_ % 2 == 0 ? 0 : -1;
        const int64_t upY = q_ % 2 == 0 ? 1 : 0;
        return {SaturatingAdd(anchor_.X, p.Along * QuarterDx(q_) + p.Across * upX),
                SaturatingAdd(anchor_.Y, p.Along * QuarterDy(q_) + p.Across * upY)};
    }
    TSheetRect Box(TLocal low, TLocal high) const { return BoxOf(At(low), At(high)); }
    TShape Outline(TInk ink, std::initializer_list<TLocal> points) const {
        TShape shape;
        shape.Kind = TShapeKind::Polygon;
        shape.Ink = ink;
        for (const TLocal& p : points)
            shape.Points.push_back(At(p));
        return shape;
    }
    // Texts read left to right, or bottom to top for an upright label.
    int16_t TextAngle() const { return q_ % 2 == 0 ? 0 : 90; }
    // Whether the body runs the way texts are read.
    bool Forward() const { return q_ == 0 || q_ == 1; }

private:
    TSheetPoint anchor_;
    int q_;
};

} // namespace

TLabelLook LabelLook(TLabelKind kind, std::string_view shape, std::string_view text,
                     const TTextStyle& style, TSheetPoint anchor, int quarter,
                     const TPageFrame& frame, TInk ink, int64_t stick) {
    const TLabelFrame f(anchor, quarter);
    const int64_t w = frame.LengthToSheet(TextWidth(text, style));
    const int64_t h = frame.LengthToSheet(style.Height);
    const int32_t size = static_cast<int32_t>(h);
    const std::string visible = VisibleText(text);
    TLabelLook look;
    switch (kind) {
    case TLabelKind::Local: {
        // Just above the wire it names, so that the wire's line stays free.
        const int64_t gap = std::max<int64_t>(1, h / 8);
        look.Box = f.Box({0, gap}, {w, gap + h});
        look.Drawing.push_back(TextShape(ink, visible, f.At({0, gap}), size, f.TextAngle(),
                                         f.Forward() ? TTextAlign::Start : TTextAlign::End,
                                         TTextAlign::End));
        break;
    }
    case TLabelKind::Global: {
        const int64_t half = h * 4 / 5;
        const int64_t margin = h / 2;
        const int64_t tip = half;
        const bool tipNear = shape == "input" || shape == "bidirectional" || shape == "tri_state";
        const bool tipFar = shape == "output" || shape == "bidirectional" || shape == "tri_state";
        const int64_t start = tipNear ? tip : 0;
        const int64_t bodyEnd = start + 2 * margin + w;
        const int64_t length = bodyEnd + (tipFar ? tip : 0);
        look.Box = f.Box({0, -half}, {length, half});
        look.Drawing.push_back(f.Outline(ink, {{0, tipNear ? 0 : -half},
                                               {start, -half},
                                               {bodyEnd, -half},
                                               {length, tipFar ? 0 : -half},
                                               {length, tipFar ? 0 : half},
                                               {bodyEnd, half},
                                               {start, half},
                                               {0, tipNear ? 0 : half}}));
        look.Drawing.push_back(TextShape(ink, visible, f.At({start + margin + w / 2, 0}), size,
                                         f.TextAngle(), TTextAlign::Centre, TTextAlign::Centre));
        break;
    }
    case TLabelKind::Hierarchical: {
        const int64_t s = h;
        const int64_t half = s / 2;
        const int64_t margin = h / 2;
        if (shape == "input")
            look.Drawing.push_back(
                f.Outline(ink, {{0, -half}, {half, -half}, {s, 0}, {half, half}, {0, half}}));
        else if (shape == "output")
            look.Drawing.push_back(
                f.Outline(ink, {{0, 0}, {half, -half}, {s, -half}, {s, half}, {half, half}}));
        else if (shape == "bidirectional" || shape == "tri_state")
            look.Drawing.push_back(f.Outline(ink, {{0, 0}, {half, -half}, {s, 0}, {half, half}}));
        else
            look.Drawing.push_back(f.Outline(ink, {{0, -half}, {s, -half}, {s, half}, {0, half}}));
        look.Drawing.push_back(TextShape(ink, visible, f.At({s + margin, 0}), size, f.TextAngle(),
                                         f.Forward() ? TTextAlign::Start : TTextAlign::End,
                                         TTextAlign::Centre));
        const int64_t across = std::max(half, h * 3 / 5);
        look.Box = f.Box({0, -across}, {s + margin + w, across});
        break;
    }
    case TLabelKind::Directive: {
        const int64_t length = frame.LengthToSheet(stick);
        const int64_t s = std::max<int64_t>(1, h * 3 / 4);
        const int64_t half = s / 2;
        TShape line;
        line.Ink = ink;
        line.Points = {f.At({0, 0}), f.At({length, 0})};
        look.Drawing.push_back(std::move(line));
        if (shape == "diamond") {
            look.Drawing.push_back(f.Outline(
                ink,
                {{length, 0}, {length + half, -half}, {length + s, 0}, {length + half, half}}));
        } else if (shape == "rectangle") {
            look.Drawing.push_back(f.Outline(
                ink, {{length, -half}, {length + s, -half}, {length + s, half}, {length, half}}));
        } else {
            TShape mark;
            mark.Kind = TShapeKind::Circle;
            mark.Ink = ink;
            mark.Fill = shape == "dot" ? TShapeFill::Outline : TShapeFill::None;
            mark.Points = {f.At({length + half, 0})};
            mark.Radius = static_cast<int32_t>(half);
            look.Drawing.push_back(std::move(mark));
        }
        look.Box = f.Box({0, -half}, {length + s, half});
        break;
    }
    }
    return look;
}

} // namespace pathwick::workbench::kicad
