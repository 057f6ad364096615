// How the window shows the sheet: sheet units to pixels with y upward, zoom,
// pan, fit, and snapping the pointer to the placement grid.
#pragma once

#include "host/HostTypes.h"

#include <QPointF>
#include <QSizeF>

#include <cstdint>

namespace pathwick::workbench {

// The placement grid: 100 mil.
inline constexpr int32_t PlacementGrid = 1000000;

class TViewTransform {
public:
    // Pixels per sheet unit are kept within these bounds, so that every sheet
    // point maps to a finite pixel and back without loss of the grid.
    static constexpr double MinScale = 1e-9;
    static constexpr double MaxScale = 1e-3;

    double Scale() const { return scale_; }
    QPointF Offset() const { return offset_; }

    QPointF ToScreen(TSheetPoint p) const;
    // The sheet position under a pixel, not rounded.
    QPointF ToSheet(QPointF screen) const;

    // Shows the whole sheet of the given size centred in a view of `view`
    // pixels, with a small margin. A sheet without area falls back to a
    // 1 x 1 unit sheet.
    void Fit(int32_t sheetWidth, int32_t sheetHeight, QSizeF view);
    // Multiplies the scale by `factor` (clamped to the bounds above) while the
    // sheet point under `anchor` stays under it.
    void ZoomAbout(QPointF anchor, double factor);
    // Moves the picture by a pixel delta.
    void Pan(QPointF delta) { offset_ += delta; }

private:
    double scale_ = 1e-5;
    QPointF offset_; // where sheet (0, 0) lies, in pixels
};

// The grid point nearest to a sheet position, kept on the sheet: each
// coordinate is rounded to a multiple of `grid` and clamped to
// [0, the largest multiple of `grid` not beyond the sheet's side]. Positions
// far outside the 32-bit range clamp the same way, before any conversion.
TSheetPoint SnapToGrid(QPointF sheet, int32_t sheetWidth, int32_t sheetHeight,
                       int32_t grid = PlacementGrid);

} // namespace pathwick::workbench
