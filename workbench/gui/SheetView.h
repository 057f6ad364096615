// The schematic page in the window: draws a sheet with y upward, zooms with
// the wheel about the pointer, pans with the middle button, and turns clicks
// into grid points for wire placement.
#pragma once

#include "workbench/gui/ViewTransform.h"
#include "workbench/model/SheetDocument.h"

#include <QWidget>

#include <optional>

class QPainter;

namespace pathwick::workbench {

class TSheetView : public QWidget {
    Q_OBJECT

public:
    explicit TSheetView(QWidget* parent = nullptr);

    // The sheet to draw; not owned, may be null. Fits it to the view.
    void SetSheet(const TSheetDocument* sheet);
    // Where the rubber-band segment starts; none while no wire is placed.
    void SetRubberBandStart(std::optional<TSheetPoint> start);
    std::optional<TSheetPoint> RubberBandStart() const { return rubberStart_; }
    // The grid point under the pointer, once the pointer has been over the sheet.
    std::optional<TSheetPoint> HoverPoint() const { return hover_; }

    const TViewTransform& Transform() const { return transform_; }
    // Where a sheet point is drawn, in widget pixels.
    QPointF ToWidget(TSheetPoint p) const { return transform_.ToScreen(p); }
    // The grid point a click at a widget pixel places.
    TSheetPoint GridPointAt(QPointF widgetPos) const;

public slots:
    void FitToWindow();
    void ZoomIn();
    void ZoomOut();

signals:
    // A left click at a grid point.
    void GridPointClicked(pathwick::TSheetPoint point);
    // Esc or a right click: the wire being placed ends.
    void EndWireRequested();
    // The pointer moved to another grid point.
    void HoverPointChanged(pathwick::TSheetPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateHover(QPointF widgetPos);

    const TSheetDocument* sheet_ = nullptr;
    TViewTransform transform_;
    bool fitted_ = false; // refit on resize until the user zooms or pans
    std::optional<TSheetPoint> rubberStart_;
    std::optional<TSheetPoint> hover_;
    std::optional<QPointF> panFrom_;
};

} // namespace pathwick::workbench
