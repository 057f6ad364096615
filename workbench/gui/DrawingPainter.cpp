#include "workbench/gui/DrawingPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pathwick::workbench {

namespace {

constexpr int32_t DefaultPen = 120000; // 6 mil, the editor's thinnest line
constexpr double MinTextPixels = 4.0;  // smaller texts are not drawn

class TDrawingPainter {
public:
    TDrawingPainter(QPainter& painter, const TViewTransform& t) : p_(painter), t_(t) {}

    void Shape(const TShape& shape) {
        const QColor ink(QString::fromLatin1(InkColour(shape.Ink)));
        if (shape.Kind == TShapeKind::Text) {
            Text(shape, ink);
            return;
        }
        if (shape.Points.empty())
            return;
        const double pen =
            std::max(1.0, (shape.PenWidth > 0 ? shape.PenWidth : DefaultPen) * t_.Scale());
        p_.setPen(QPen(ink, pen, shape.Dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin));
        if (shape.Fill == TShapeFill::Outline)
            p_.setBrush(ink);
        else if (shape.Fill == TShapeFill::Background)
            p_.setBrush(QColor(QString::fromLatin1(BodyFillColour)));
        else
            p_.setBrush(Qt::NoBrush);
        QPolygonF polygon;
        for (const TSheetPoint& point : shape.Points)
            polygon << t_.ToScreen(point);
        switch (shape.Kind) {
        case TShapeKind::Lines:
            p_.drawPolyline(polygon);
            break;
        case TShapeKind::Polygon:
            p_.drawPolygon(polygon);
            break;
        case TShapeKind::Circle: {
            const double r = shape.Radius * t_.Scale();
            p_.drawEllipse(polygon[0], r, r);
            break;
        }
        case TShapeKind::Arc:
            if (polygon.size() == 3)
                Arc(polygon);
            break;
        case TShapeKind::Bezier:
            if (polygon.size() == 4) {
                QPainterPath path(polygon[0]);
                path.cubicTo(polygon[1], polygon[2], polygon[3]);
                p_.setBrush(Qt::NoBrush);
                p_.drawPath(path);
            }
            break;
        case TShapeKind::Text:
            break;
        }
        p_.setBrush(Qt::NoBrush);
    }

private:
    // The arc from the first point through the second to the third.
    void Arc(const QPolygonF& q) {
        const double ax = q[0].x(), ay = q[0].y(), bx = q[1].x(), by = q[1].y();
        const double cx = q[2].x(), cy = q[2].y();
        const std::optional<TCircle> circle = CircleThrough(ax, ay, bx, by, cx, cy);
        if (!circle) {
            p_.drawLine(q[0], q[2]);
            return;
        }
        const double ox = circle->X, oy = circle->Y, r = circle->Radius;
        // Qt's angles turn counter-clockwise on screen, whose y grows down.
        const auto angle = [&](double x, double y) {
            return std::atan2(-(y - oy), x - ox) * 180 / std::numbers::pi;
        };
        const auto ccw = [](double from, double to) {
            double t = std::fmod(to - from, 360.0);
            return t < 0 ? t + 360 : t;
        };
        const double s = angle(ax, ay), m = angle(bx, by), e = angle(cx, cy);
        const double span = ccw(s, m) < ccw(s, e) ? ccw(s, e) : -ccw(e, s);
        QPainterPath path;
        path.arcMoveTo(QRectF(ox - r, oy - r, 2 * r, 2 * r), s);
        path.arcTo(QRectF(ox - r, oy - r, 2 * r, 2 * r), s, span);
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    void Text(const TShape& shape, const QColor& ink) {
        if (shape.Text.empty() || shape.Points.empty())
            return;
        const double cap = shape.TextSize * t_.Scale();
        if (cap < MinTextPixels)
            return;
        QFont font = p_.font();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(cap * 1.4))));
        p_.setFont(font);
        const QString text = QString::fromStdString(shape.Text);
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        const double x = shape.Along == TTextAlign::Start ? 0.0
                         : shape.Along == TTextAlign::End ? -width
                                                          : -width / 2;
        const double y = shape.Across == TTextAlign::End      ? 0.0
                         : shape.Across == TTextAlign::Centre ? cap / 2
                                                              : cap;
        p_.save();
        p_.translate(t_.ToScreen(shape.Points[0]));
        p_.rotate(-shape.Angle);
        p_.setPen(ink);
        p_.drawText(QPointF(x, y), text);
        p_.restore();
    }

    QPainter& p_;
    const TViewTransform& t_;
};

} // namespace

void PaintDrawing(QPainter& painter, const TDrawing& drawing, const TViewTransform& transform) {
    TDrawingPainter shapes(painter, transform);
    for (const TShape& shape : drawing)
        shapes.Shape(shape);
}

} // namespace pathwick::workbench
