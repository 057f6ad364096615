#include "workbench/kicad/GraphicReader.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pathwick::workbench::kicad {

namespace {

TSheetRect BoxAround(const std::vector<TSheetPoint>& points) {
    TSheetRect box{points.front().X, points.front().Y, points.front().X, points.front().Y};
    for (const TSheetPoint& p : points) {
        box.Left = std::min(box.Left, p.X);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::min(box.Bottom, p.Y);
        box.Top = std::max(box.Top, p.Y);
    }
    return box;
}

class TGraphicReader {
public:
    TGraphicReader(const TReadContext& context, const TSexpr& item, const TPlacement& placement,
                   TInk ink, TGraphicItem& out)
        : c_(context), item_(item), placement_(placement), out_(out) {
        shape_.Ink = ink;
        Stroke();
    }

    bool Read() {
        const std::string_view head = item_.Head();
        if (head == "rectangle")
            Rectangle();
        else if (head == "polyline")
            Polyline();
        else if (head == "circle")
            Circle();
        else if (head == "arc")
            Arc();
        else if (head == "bezier")
            Bezier();
        else if (head == "text")
            Text();
        else if (head == "text_box")
            TextBox();
        else
            return false;
        return true;
    }

private:
    TSheetPoint Map(TFilePoint p) const {
        return c_.ToSheet(placement_, placement_.ToPage(p.X, p.Y), item_);
    }

    void Stroke() {
        if (const TSexpr* stroke = item_.Find("stroke")) {
            if (const TSexpr* width = stroke->Find("width"))
                shape_.PenWidth =
                    c_.Frame().LengthToSheet(std::max<int64_t>(0, c_.Length(*width, 1, 0)));
            if (const TSexpr* type = stroke->Find("type"))
                if (const std::string* name = type->Text(1))
                    shape_.Dashed = *name != "solid" && *name != "default";
        }
        if (const TSexpr* fill = item_.Find("fill"))
            if (const TSexpr* type = fill->Find("type"))
                if (const std::string* name = type->Text(1)) {
                    if (*name == "outline")
                        shape_.Fill = TShapeFill::Outline;
                    else if (*name == "background" || *name == "color")
                        shape_.Fill = TShapeFill::Background;
                }
    }

    void Finish(int32_t kind, TSheetRect bounds) {
        out_.Kind = kind;
        out_.Bounds = bounds;
        out_.Drawing.push_back(std::move(shape_));
    }

    std::vector<TSheetPoint> Points(const TSexpr& list) const {
        std::vector<TSheetPoint> points;
        if (const TSexpr* pts = list.Find("pts"))
            for (const TSexpr* xy : pts->FindAll("xy"))
                points.push_back(Map(c_.Point(*xy)));
        return points;
    }

    void Rectangle() {
        const TFilePoint a = c_.PointOf(item_, "start");
        const TFilePoint b = c_.PointOf(item_, "end");
        shape_.Kind = TShapeKind::Polygon;
        shape_.Points = {Map(a), Map({b.X, a.Y}), Map(b), Map({a.X, b.Y})};
        const TSheetRect box = BoxAround(shape_.Points);
        if (placement_.IsLibrary()) {
            Finish(kinds::Rectangle, box);
            return;
        }
        out_.Vertices = shape_.Points;
        out_.Vertices.push_back(shape_.Points.front());
        Finish(kinds::Polyline, box);
    }

    void Polyline() {
        shape_.Points = Points(item_);
        if (shape_.Points.empty())
            c_.Fail(item_, "a line without points");
        shape_.Kind = shape_.Fill == TShapeFill::None ? TShapeKind::Lines : TShapeKind::Polygon;
        out_.Vertices = shape_.Points;
        Finish(kinds::Polyline, BoxAround(shape_.Points));
    }

    void Circle() {
        const TSheetPoint centre = Map(c_.PointOf(item_, "center"));
        const TSexpr* radius = item_.Find("radius");
        if (!radius)
            c_.Fail(item_, "(radius ...) is missing");
        const int32_t r = c_.Frame().LengthToSheet(std::max<int64_t>(0, c_.Length(*radius, 1)));
        shape_.Kind = TShapeKind::Circle;
        shape_.Points = {centre};
        shape_.Radius = r;
        const auto grow = [](int32_t v, int64_t by) {
            return static_cast<int32_t>(std::clamp<int64_t>(v + by, INT32_MIN, INT32_MAX));
        };
        Finish(kinds::Ellipse,
               {grow(centre.X, -r), grow(centre.Y, -r), grow(centre.X, r), grow(centre.Y, r)});
    }

    // Three points of the arc: (start)(mid)(end), or, in files of the first
    // years, (start)(end) with (radius (at centre) (length r) (angles a b)),
    // which runs the shorter way round from a to b.
    void Arc() {
        const TFilePoint start = c_.PointOf(item_, "start");
        const TFilePoint end = c_.PointOf(item_, "end");
        TFilePoint mid;
        if (item_.Find("mid")) {
            mid = c_.PointOf(item_, "mid");
        } else {
            const TSexpr* radius = item_.Find("radius");
            if (!radius)
                c_.Fail(item_, "(mid ...) is missing");
            const TFilePoint centre = c_.PointOf(*radius, "at");
            const TSexpr* length = radius->Find("length");
            const TSexpr* angles = radius->Find("angles");
            if (!length || !angles)
                c_.Fail(item_, "(radius ...) needs (length ...) and (angles ...)");
            const double r = static_cast<double>(c_.Length(*length, 1));
            const double a = c_.Length(*angles, 1) / 10000.0;
            double sweep = c_.Length(*angles, 2) / 10000.0 - a;
            sweep = std::remainder(sweep, 360.0);
            const double m = (a + sweep / 2) * std::numbers::pi / 180;
            // Library arcs are y up, page arcs y down.
            const double dir = placement_.IsLibrary() ? 1.0 : -1.0;
            mid = {centre.X + std::llround(r * std::cos(m)),
                   centre.Y + std::llround(dir * r * std::sin(m))};
        }
        shape_.Kind = TShapeKind::Arc;
        shape_.Points = {Map(start), Map(mid), Map(end)};
        Finish(kinds::Arc, ArcBounds(shape_.Points));
    }

    // The box of the arc through three points: their box, widened to every
    // extreme of the circle that the arc passes.
    static TSheetRect ArcBounds(const std::vector<TSheetPoint>& p) {
        TSheetRect box = BoxAround(p);
        const double ax = p[0].X, ay = p[0].Y, bx = p[1].X, by = p[1].Y, cx = p[2].X, cy = p[2].Y;
        const std::optional<TCircle> circle = CircleThrough(ax, ay, bx, by, cx, cy);
        if (!circle)
            return box; // the three points are in a line
        const double ox = circle->X, oy = circle->Y, r = circle->Radius;
        const auto angle = [&](double x, double y) {
            const double t = std::atan2(y - oy, x - ox);
            return t < 0 ? t + 2 * std::numbers::pi : t;
        };
        const double s = angle(ax, ay), m = angle(bx, by), e = angle(cx, cy);
        const auto ccw = [](double from, double to) {
            const double t = to - from;
            return t < 0 ? t + 2 * std::numbers::pi : t;
        };
        // The arc runs counter-clockwise from `low` for `sweep`.
        const bool throughMid = ccw(s, m) < ccw(s, e);
        const double low = throughMid ? s : e;
        const double sweep = throughMid ? ccw(s, e) : ccw(e, s);
        for (int k = 0; k < 4; ++k) {
            const double t = k * std::numbers::pi / 2;
            if (ccw(low, t) > sweep)
                continue;
            const double x = ox + r * std::cos(t), y = oy + r * std::sin(t);
            const auto clamp = [](double v) {
                return static_cast<int32_t>(std::clamp(std::round(v), -2147483648.0, 2147483647.0));
            };
            box.Left = std::min(box.Left, clamp(x));
            box.Right = std::max(box.Right, clamp(x));
            box.Bottom = std::min(box.Bottom, clamp(y));
            box.Top = std::max(box.Top, clamp(y));
        }
        return box;
    }

    void Bezier() {
        shape_.Points = Points(item_);
        if (shape_.Points.size() != 4)
            c_.Fail(item_, "a curve needs four points");
        shape_.Kind = TShapeKind::Bezier;
        // The curve lies inside the box of its control points.
        Finish(kinds::Arc, BoxAround(shape_.Points));
    }

    // Library texts of the first formats give tenths of a degree.
    int TextAngle(const TSexpr& at) const {
        const int angle = c_.Angle(at, 3);
        if (!placement_.IsLibrary())
            return angle;
        const int64_t raw = c_.Length(at, 3, 0);
        return std::abs(raw) >= 3600000 ? static_cast<int>(raw / 100000) : angle;
    }

    void Text() {
        const std::string& text = c_.Text(item_, 1);
        const TSexpr* at = item_.Find("at");
        if (!at)
            c_.Fail(item_, "(at ...) is missing");
        const TTextStyle style = c_.Style(item_);
        const TFilePoint anchor = placement_.ToPage(c_.Length(*at, 1), c_.Length(*at, 2));
        TPlacedText placed;
        try {
            placed = PlaceTextBox(placement_, anchor, TextAngle(*at), JustifiedBox(text, style));
        } catch (const std::out_of_range& e) {
            c_.Fail(item_, std::string("a point ") + e.what());
        }
        out_.Kind = kinds::Text;
        out_.Bounds = placed.Box;
        out_.Text = text;
        if (!style.Hidden)
            AddCentredText(out_.Drawing, shape_.Ink, text, style, placed, c_.Frame());
    }

    // (text_box "..." (at x y a) (size w h) ...), or with (start)(end).
    void TextBox() {
        const std::string& text = c_.Text(item_, 1);
        TFilePoint a;
        TFilePoint b;
        if (item_.Find("start")) {
            a = c_.PointOf(item_, "start");
            b = c_.PointOf(item_, "end");
        } else {
            a = c_.PointOf(item_, "at");
            const TFilePoint size = c_.PointOf(item_, "size");
            // The size runs down the page, or up in a library.
            b = {a.X + size.X, placement_.IsLibrary() ? a.Y - size.Y : a.Y + size.Y};
        }
        shape_.Kind = TShapeKind::Polygon;
        shape_.Points = {Map(a), Map({b.X, a.Y}), Map(b), Map({a.X, b.Y})};
        const TSheetRect box = BoxAround(shape_.Points);
        out_.Kind = kinds::Note;
        out_.Bounds = box;
        out_.Text = text;
        const TTextStyle style = c_.Style(item_);
        out_.Drawing.push_back(shape_);
        AddCentredText(out_.Drawing, TInk::Note, text, style, {box, 0}, c_.Frame());
    }

    const TReadContext& c_;
    const TSexpr& item_;
    const TPlacement& placement_;
    TGraphicItem& out_;
    TShape shape_;
};

} // namespace

bool ReadGraphic(const TReadContext& context, const TSexpr& item, const TPlacement& placement,
                 TInk ink, TGraphicItem& out) {
    return TGraphicReader(context, item, placement, ink, out).Read();
}

THostRef<TSheetObject> MakeGraphicObject(TGraphicItem item) {
    THostRef<TSheetObject> object;
    if (item.Kind == kinds::Polyline)
        object = THostRef<TSheetObject>::Share(
            TPolyline::Create(kinds::Polyline, std::move(item.Vertices)).Get());
    else
        object = THostRef<TSheetObject>::Share(TGraphic::Create(item.Kind, item.Bounds).Get());
    object->SetText(std::move(item.Text));
    object->SetDrawing(std::move(item.Drawing));
    return object;
}

} // namespace pathwick::workbench::kicad
