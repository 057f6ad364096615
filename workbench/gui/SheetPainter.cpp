#include "workbench/gui/SheetPainter.h"

#include "workbench/gui/DrawingPainter.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/PinLabels.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/UnroutedRun.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace pathwick::workbench {

namespace {

const QColor Paper(0xff, 0xfd, 0xf5);
const QColor Ink(0x1f, 0x3a, 0x93); // symbol bodies and pins
const QColor BodyFill(0xff, 0xf8, 0xc4);
const QColor WireInk(0x2e, 0x7d, 0x32); // wires and junctions
const QColor BusInk(0x15, 0x65, 0xc0);
const QColor TextInk(0x5d, 0x40, 0x37);
const QColor GraphicInk(0x75, 0x75, 0x75);
const QColor GridInk(0xbb, 0xbb, 0xbb);
const QColor UnroutedInk(0xef, 0x6c, 0x00); // runs placed without a route, dashed
constexpr double MinGridPixels = 6.0;
constexpr double MaxTextHeight = 1200000.0; // sheet units
constexpr int MaxGridDots = 400000;         // beyond this the dots are noise and slow

class TPagePainter {
public:
    TPagePainter(QPainter& painter, const TViewTransform& transform) : p_(painter), t_(transform) {}

    void Object(const TSheetObject& object) {
        if (const auto* symbol = dynamic_cast<const TSymbol*>(&object))
            Symbol(*symbol);
        else if (!object.Drawing().empty())
            PaintDrawing(p_, object.Drawing(), t_);
        else if (const auto* polyline = dynamic_cast<const TPolyline*>(&object))
            Polyline(*polyline);
        else if (const auto* line = dynamic_cast<const TLineObject*>(&object)) {
            const bool entry = line->Kind() == kinds::BusEntry;
            Segment(line->Anchor(), line->End(), entry ? BusInk : GraphicInk, entry ? 2.0 : 1.0);
        } else if (const auto* label = dynamic_cast<const TLabel*>(&object)) {
            if (!label->Hidden())
                Text(*label, WireInk, OnBaseline);
        } else if (const auto* pin = dynamic_cast<const TPin*>(&object))
            Pin(*pin);
        else
            Graphic(object);
    }

private:
    enum TPlacement { OnBaseline, InsideTop, Beside };

    QPointF At(TSheetPoint point) const { return t_.ToScreen(point); }

    QRectF Box(const TSheetRect& r) const {
        return QRectF(At({r.Left, r.Top}), At({r.Right, r.Bottom})).normalized();
    }

    void Symbol(const TSymbol& symbol) {
        for (const auto& child : symbol.ChildList()) {
            if (child->Part() != symbol.CurrentPart() || child->View() != symbol.CurrentView())
                continue;
            if (const auto* pin = dynamic_cast<const TPin*>(child.Get())) {
                if (pin->Hidden() && !symbol.HiddenPinsVisible())
                    continue;
                if (pin->Drawing().empty())
                    Pin(*pin);
                else
                    PaintDrawing(p_, pin->Drawing(), t_);
            } else if (!child->Drawing().empty()) {
                PaintDrawing(p_, child->Drawing(), t_);
            } else if (child->Kind() == kinds::Rectangle ||
                       child->Kind() == kinds::RoundRectangle) {
                p_.setPen(QPen(Ink, 1.2));
                p_.setBrush(BodyFill);
                p_.drawRect(Box(child->Bounds()));
                p_.setBrush(Qt::NoBrush);
            } else {
                Object(*child);
            }
        }
        if (const TLabel* label = symbol.Label(); label && !label->Hidden()) {
            if (label->Drawing().empty())
                Text(*label, Ink, OnBaseline);
            else
                PaintDrawing(p_, label->Drawing(), t_);
        }
    }

    void Pin(const TPin& pin) {
        Segment(pin.Anchor(), pin.LeadEnd(), Ink, 1.4);
        p_.setPen(Qt::NoPen);
        p_.setBrush(Ink);
        p_.drawEllipse(At(pin.Anchor()), 2.0, 2.0);
        p_.setBrush(Qt::NoBrush);
        PinText(pin.Text(), PinNamePlace(pin));
        PinText(pin.Number(), PinNumberPlace(pin));
    }

    void PinText(const std::string& text, const TPinText& place) {
        const double size = PinTextHeight * t_.Scale();
        if (text.empty() || size < 4.0)
            return; // too small to read
        QFont font = p_.font();
        font.setPixelSize(static_cast<int>(size));
        p_.setFont(font);
        p_.setPen(Ink);
        // A box far wider and higher than the text, placed so that the
        // alignment puts the text where it belongs about the point.
        const double w = size * 60, h = size * 3;
        const QPointF at = At(place.At);
        static constexpr Qt::Alignment Along[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        static constexpr Qt::Alignment Across[] = {Qt::AlignBottom, Qt::AlignVCenter, Qt::AlignTop};
        static constexpr double Left[] = {0, -0.5, -1};
        static constexpr double Top[] = {-1, -0.5, 0};
        const auto along = static_cast<std::size_t>(place.Along);
        const auto across = static_cast<std::size_t>(place.Across);
        const QRectF box(at.x() + Left[along] * w, at.y() + Top[across] * h, w, h);
        p_.drawText(box, static_cast<int>(Along[along] | Across[across]),
                    QString::fromStdString(text));
    }

    void Polyline(const TPolyline& polyline) {
        switch (polyline.Kind()) {
        case kinds::Wire:
            Wire(polyline);
            break;
        case kinds::Bus:
            Run(polyline.Vertices(), BusInk, 4.5, false);
            break;
        case kinds::Polygon:
            Run(polyline.Vertices(), GraphicInk, 1.0, true);
            break;
        default:
            Run(polyline.Vertices(), GraphicInk, 1.0, false);
            break;
        }
    }

    // Unrouted stretches dashed in their own colour.
    void Wire(const TPolyline& wire) {
        for (const TWireStretch& stretch : WireStretches(wire)) {
            if (stretch.Unrouted)
                Run(stretch.Points, UnroutedInk, 2.0, false, Qt::DashLine);
            else
                Run(stretch.Points, WireInk, 2.0, false);
        }
    }

    void Graphic(const TSheetObject& object) {
        const int32_t kind = object.Kind();
        if (kind == kinds::Junction) {
            const double r = std::max(3.0, JunctionRadius * t_.Scale());
            p_.setPen(Qt::NoPen);
            p_.setBrush(WireInk);
            p_.drawEllipse(At(object.Anchor()), r, r);
            p_.setBrush(Qt::NoBrush);
            return;
        }
        if (kind == kinds::Text || kind == kinds::Note) {
            if (kind == kinds::Note) {
                p_.setPen(QPen(TextInk, 1.0));
                p_.setBrush(QColor(0xff, 0xf3, 0xe0));
                p_.drawRect(Box(object.Bounds()));
                p_.setBrush(Qt::NoBrush);
            }
            Text(object, TextInk, kind == kinds::Note ? InsideTop : OnBaseline);
            return;
        }
        p_.setPen(QPen(kind == kinds::Ellipse ? Ink : GraphicInk, 1.0));
        if (kind == kinds::Ellipse)
            p_.drawEllipse(Box(object.Bounds()));
        else
            p_.drawRect(Box(object.Bounds()));
        if (!object.Text().empty() && kind != kinds::Rectangle && kind != kinds::RoundRectangle)
            Text(object, TextInk, Beside);
    }

    // The object's text, about as high as its rectangle.
    void Text(const TSheetObject& object, const QColor& ink, TPlacement placement) {
        if (object.Text().empty())
            return;
        const QRectF box = Box(object.Bounds());
        // As high as the rectangle, but no higher than 120 mil on the sheet.
        const double size = std::min(box.height(), MaxTextHeight * t_.Scale());
        if (size < 5.0)
            return; // too small to read
        QFont font = p_.font();
        font.setPixelSize(static_cast<int>(size));
        p_.setFont(font);
        p_.setPen(ink);
        QPointF at = box.bottomLeft();
        if (placement == InsideTop)
            at = box.topLeft() + QPointF(size * 0.5, size * 1.3);
        else if (placement == Beside)
            at = QPointF(box.right() + 2, box.bottom() - std::max(0.0, (box.height() - size) / 2));
        p_.drawText(at, QString::fromStdString(object.Text()));
    }

    void Segment(TSheetPoint a, TSheetPoint b, const QColor& ink, double width) {
        p_.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap));
        p_.drawLine(At(a), At(b));
    }

    void Run(const std::vector<TSheetPoint>& points, const QColor& ink, double width, bool closed,
             Qt::PenStyle style = Qt::SolidLine) {
        if (points.empty())
            return;
        QPolygonF polygon;
        for (const TSheetPoint& point : points)
            polygon << At(point);
        p_.setPen(QPen(ink, width, style, Qt::RoundCap, Qt::RoundJoin));
        if (closed)
            p_.drawPolygon(polygon);
        else
            p_.drawPolyline(polygon);
    }

    QPainter& p_;
    const TViewTransform& t_;
};

// Dots on the grid inside both the sheet and the visible area; where 100 mil
// is too dense to see, every tenth line.
void PaintGrid(QPainter& painter, const TSheetDocument& sheet, const TViewTransform& t,
               const QRectF& visible) {
    int64_t step = PlacementGrid;
    if (step * t.Scale() < MinGridPixels)
        step *= 10;
    if (step * t.Scale() < MinGridPixels)
        return;
    const QPointF low = t.ToSheet(visible.bottomLeft());
    const QPointF high = t.ToSheet(visible.topRight());
    const auto first = [&](double v) {
        return std::max<int64_t>(
            0, static_cast<int64_t>(std::ceil(std::clamp(v, 0.0, 4e9) / step)) * step);
    };
    const int64_t x0 = first(low.x());
    const int64_t y0 = first(low.y());
    // Clamped in double first, so that the conversion is always defined.
    const auto last = [](double v, int32_t side) {
        return std::min<int64_t>(side, static_cast<int64_t>(std::clamp(v, -4e9, 4e9)));
    };
    const int64_t x1 = last(high.x(), sheet.Width());
    const int64_t y1 = last(high.y(), sheet.Height());
    if (x1 < x0 || y1 < y0)
        return;
    if ((x1 - x0) / step * ((y1 - y0) / step) > MaxGridDots)
        return;
    painter.setPen(QPen(GridInk, 1.5));
    for (int64_t x = x0; x <= x1; x += step)
        for (int64_t y = y0; y <= y1; y += step)
            painter.drawPoint(t.ToScreen({static_cast<int32_t>(x), static_cast<int32_t>(y)}));
}

} // namespace

void PaintSheet(QPainter& painter, const TSheetDocument& sheet, const TViewTransform& transform,
                const QRectF& visible) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF paper =
        QRectF(transform.ToScreen({0, sheet.Height()}), transform.ToScreen({sheet.Width(), 0}))
            .normalized();
    painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.0));
    painter.setBrush(Paper);
    painter.drawRect(paper);
    painter.setBrush(Qt::NoBrush);
    PaintGrid(painter, sheet, transform, visible);
    TPagePainter page(painter, transform);
    for (const auto& object : sheet.Objects())
        page.Object(*object);
}

} // namespace pathwick::workbench
