#include "workbench/files/DrawingSvg.h"

#include "workbench/files/SvgText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace pathwick::workbench {

namespace {

constexpr const char* StrongInk = "#d81b60";
constexpr int32_t DefaultPen = 120000; // 6 mil, the editor's thinnest line

class TDrawingWriter {
public:
    TDrawingWriter(const TSvgScale& scale, bool strong) : s_(scale), strong_(strong) {}

    void Shape(const TShape& shape) {
        const char* ink = strong_ ? StrongInk : InkColour(shape.Ink);
        if (shape.Kind == TShapeKind::Text) {
            Text(shape, ink);
            return;
        }
        if (shape.Points.empty())
            return;
        const std::string fill = shape.Fill == TShapeFill::Outline      ? ink
                                 : shape.Fill == TShapeFill::Background ? BodyFillColour
                                                                        : "none";
        const double pen =
            std::max(1.0, (shape.PenWidth > 0 ? shape.PenWidth : DefaultPen) * s_.Scale);
        std::string style =
            "\" fill=\"" + fill + "\" stroke=\"" + ink + "\" stroke-width=\"" + SvgNumber(pen) +
            "\"" + (shape.Dashed ? " stroke-dasharray=\"" + SvgNumber(4 * pen) + "\"" : "") +
            " stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
        switch (shape.Kind) {
        case TShapeKind::Lines:
        case TShapeKind::Polygon:
            out_ += std::string(shape.Kind == TShapeKind::Lines ? "<polyline" : "<polygon") +
                    " class=\"" + InkClass(shape.Ink) + "\" points=\"" + Points(shape) + style;
            break;
        case TShapeKind::Circle:
            out_ += std::string("<circle class=\"") + InkClass(shape.Ink) + "\" cx=\"" +
                    SvgNumber(X(shape.Points[0].X)) + "\" cy=\"" + SvgNumber(Y(shape.Points[0].Y)) +
                    "\" r=\"" + SvgNumber(shape.Radius * s_.Scale) + style;
            break;
        case TShapeKind::Arc:
            Arc(shape, style);
            break;
        case TShapeKind::Bezier:
            if (shape.Points.size() == 4)
                out_ += std::string("<path class=\"") + InkClass(shape.Ink) + "\" d=\"M" +
                        Point(shape.Points[0]) + " C" + Point(shape.Points[1]) + " " +
                        Point(shape.Points[2]) + " " + Point(shape.Points[3]) + style;
            break;
        case TShapeKind::Text:
            break;
        }
    }

    std::string Take() { return std::move(out_); }

private:
    double X(int32_t x) const { return x * s_.Scale; }
    double Y(int32_t y) const { return (double(s_.SheetHeight) - y) * s_.Scale; }
    std::string Point(TSheetPoint p) const { return SvgNumber(X(p.X)) + "," + SvgNumber(Y(p.Y)); }

    std::string Points(const TShape& shape) const {
        std::string list;
        for (const TSheetPoint& p : shape.Points) {
            if (!list.empty())
                list += ' ';
            list += Point(p);
        }
        return list;
    }

    // The circle through the three points, drawn from the first to the last
    // by way of the middle one.
    void Arc(const TShape& shape, const std::string& style) {
        if (shape.Points.size() != 3)
            return;
        const double ax = X(shape.Points[0].X), ay = Y(shape.Points[0].Y);
        const double bx = X(shape.Points[1].X), by = Y(shape.Points[1].Y);
        const double cx = X(shape.Points[2].X), cy = Y(shape.Points[2].Y);
        const std::optional<TCircle> circle = CircleThrough(ax, ay, bx, by, cx, cy);
        std::string path = "M" + SvgNumber(ax) + "," + SvgNumber(ay);
        if (!circle) {
            path += " L" + SvgNumber(cx) + "," + SvgNumber(cy);
        } else {
            const double ox = circle->X, oy = circle->Y, r = circle->Radius;
            // Which way round: the middle point's side of the chord.
            const double cross = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
            const bool sweep = cross > 0;
            const double ccwFromStart = [&] {
                const double t0 = std::atan2(ay - oy, ax - ox);
                const double t1 = std::atan2(cy - oy, cx - ox);
                double t = sweep ? t1 - t0 : t0 - t1;
                while (t < 0)
                    t += 2 * std::numbers::pi;
                return t;
            }();
            const bool large = ccwFromStart > std::numbers::pi;
            path += " A" + SvgNumber(r) + "," + SvgNumber(r) + " 0 " + (large ? "1" : "0") + " " +
                    (sweep ? "1" : "0") + " " + SvgNumber(cx) + "," + SvgNumber(cy);
        }
        out_ += std::string("<path class=\"") + InkClass(shape.Ink) + "\" d=\"" + path + style;
    }

    void Text(const TShape& shape, const char* ink) {
        if (shape.Text.empty() || shape.Points.empty())
            return;
        const double cap = shape.TextSize * s_.Scale;
        // The font's em is about 1.4 capital heights.
        const double fontSize = cap * 1.4;
        const double x = X(shape.Points[0].X), y = Y(shape.Points[0].Y);
        const char* anchor = shape.Along == TTextAlign::Start ? "start"
                             : shape.Along == TTextAlign::End ? "end"
                                                              : "middle";
        // Down from the anchor to the baseline, in the text's own frame.
        const double drop = shape.Across == TTextAlign::End      ? 0.0
                            : shape.Across == TTextAlign::Centre ? cap / 2
                                                                 : cap;
        out_ += std::string("<text class=\"") + InkClass(shape.Ink) + "\" x=\"" + SvgNumber(x) +
                "\" y=\"" + SvgNumber(y) + "\" dy=\"" + SvgNumber(drop) + "\" font-size=\"" +
                SvgNumber(fontSize) + "\" font-family=\"sans-serif\" text-anchor=\"" + anchor +
                "\" fill=\"" + ink + "\"" +
                (shape.Angle != 0 ? " transform=\"rotate(" + SvgNumber(-shape.Angle) + " " +
                                        SvgNumber(x) + " " + SvgNumber(y) + ")\""
                                  : std::string()) +
                ">" + SvgEscape(shape.Text) + "</text>\n";
    }

    const TSvgScale& s_;
    bool strong_;
    std::string out_;
};

} // namespace

std::string DrawingToSvg(const TDrawing& drawing, const TSvgScale& scale, bool strong) {
    TDrawingWriter writer(scale, strong);
    for (const TShape& shape : drawing)
        writer.Shape(shape);
    return writer.Take();
}

} // namespace pathwick::workbench
