#include "workbench/gui/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace pathwick::workbench {

QPointF TViewTransform::ToScreen(TSheetPoint p) const {
    return {offset_.x() + double(p.X) * scale_, offset_.y() - double(p.Y) * scale_};
}

QPointF TViewTransform::ToSheet(QPointF screen) const {
    return {(screen.x() - offset_.x()) / scale_, (offset_.y() - screen.y()) / scale_};
}

void TViewTransform::Fit(int32_t sheetWidth, int32_t sheetHeight, QSizeF view) {
    const double w = std::max(double(sheetWidth), 1.0);
    const double h = std::max(double(sheetHeight), 1.0);
    const double margin = 0.96;
    const double vw = std::max(view.width(), 1.0);
    const double vh = std::max(view.height(), 1.0);
    scale_ = std::clamp(std::min(vw / w, vh / h) * margin, MinScale, MaxScale);
    // Centre: sheet (w/2, h/2) at the view's centre.
    offset_ = QPointF(vw / 2 - w / 2 * scale_, vh / 2 + h / 2 * scale_);
}

void TViewTransform::ZoomAbout(QPointF anchor, double factor) {
    if (!(factor > 0) || !std::isfinite(factor))
        return;
    const QPointF under = ToSheet(anchor);
    scale_ = std::clamp(scale_ * factor, MinScale, MaxScale);
    offset_ = QPointF(anchor.x() - under.x() * scale_, anchor.y() + under.y() * scale_);
}

namespace {

int32_t SnapCoordinate(double value, int32_t side, int32_t grid) {
    const int64_t step = std::max<int32_t>(grid, 1);
    const int64_t top = std::max<int64_t>(side, 0) / step * step;
    // Clamp in double first: std::llround of a value outside int64 is undefined.
    if (!(value > 0)) // also NaN
        return 0;
    if (value >= double(top))
        return static_cast<int32_t>(top);
    const int64_t snapped = std::llround(value / double(step)) * step;
    return static_cast<int32_t>(std::clamp<int64_t>(snapped, 0, top));
}

} // namespace

TSheetPoint SnapToGrid(QPointF sheet, int32_t sheetWidth, int32_t sheetHeight, int32_t grid) {
    return {SnapCoordinate(sheet.x(), sheetWidth, grid),
            SnapCoordinate(sheet.y(), sheetHeight, grid)};
}

} // namespace pathwick::workbench
