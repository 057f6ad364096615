#include "workbench/gui/SheetView.h"

#include "workbench/gui/SheetPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace pathwick::workbench {

namespace {
constexpr double ZoomStep = 1.25;    // one wheel notch or one menu step
constexpr double WheelNotch = 120.0; // angle delta of one notch
const QColor RubberInk(0xd8, 0x1b, 0x60);
} // namespace

TSheetView::TSheetView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setCursor(Qt::CrossCursor);
}

void TSheetView::SetSheet(const TSheetDocument* sheet) {
    sheet_ = sheet;
    rubberStart_.reset();
    hover_.reset();
    FitToWindow();
}

void TSheetView::SetRubberBandStart(std::optional<TSheetPoint> start) {
    rubberStart_ = start;
    update();
}

TSheetPoint TSheetView::GridPointAt(QPointF widgetPos) const {
    if (!sheet_)
        return {};
    return SnapToGrid(transform_.ToSheet(widgetPos), sheet_->Width(), sheet_->Height());
}

void TSheetView::FitToWindow() {
    if (sheet_)
        transform_.Fit(sheet_->Width(), sheet_->Height(), QSizeF(size()));
    fitted_ = true;
    update();
}

void TSheetView::ZoomIn() {
    transform_.ZoomAbout(QPointF(width() / 2.0, height() / 2.0), ZoomStep);
    fitted_ = false;
    update();
}

void TSheetView::ZoomOut() {
    transform_.ZoomAbout(QPointF(width() / 2.0, height() / 2.0), 1 / ZoomStep);
    fitted_ = false;
    update();
}

void TSheetView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x9e, 0xa7, 0xb0));
    if (!sheet_)
        return;
    PaintSheet(painter, *sheet_, transform_, QRectF(rect()));
    if (rubberStart_ && hover_) {
        painter.setPen(QPen(RubberInk, 1.5, Qt::DashLine, Qt::RoundCap));
        painter.drawLine(ToWidget(*rubberStart_), ToWidget(*hover_));
    }
    if (hover_) {
        // The grid point a click would place.
        const QPointF at = ToWidget(*hover_);
        painter.setPen(QPen(RubberInk, 1.0));
        painter.drawLine(at - QPointF(5, 0), at + QPointF(5, 0));
        painter.drawLine(at - QPointF(0, 5), at + QPointF(0, 5));
    }
}

void TSheetView::UpdateHover(QPointF widgetPos) {
    if (!sheet_)
        return;
    const TSheetPoint point = GridPointAt(widgetPos);
    if (hover_ && *hover_ == point)
        return;
    hover_ = point;
    update();
    emit HoverPointChanged(point);
}

void TSheetView::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    switch (event->button()) {
    case Qt::LeftButton:
        if (sheet_) {
            UpdateHover(pos);
            emit GridPointClicked(GridPointAt(pos));
        }
        break;
    case Qt::RightButton:
        emit EndWireRequested();
        break;
    case Qt::MiddleButton:
        panFrom_ = pos;
        setCursor(Qt::ClosedHandCursor);
        break;
    default:
        QWidget::mousePressEvent(event);
    }
}

void TSheetView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (panFrom_) {
        transform_.Pan(pos - *panFrom_);
        panFrom_ = pos;
        fitted_ = false;
        update();
    }
    UpdateHover(pos);
}

void TSheetView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && panFrom_) {
        panFrom_.reset();
        setCursor(Qt::CrossCursor);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TSheetView::wheelEvent(QWheelEvent* event) {
    // A burst of many notches at once zooms no more than ten would.
    const double notches = std::clamp(event->angleDelta().y() / WheelNotch, -10.0, 10.0);
    if (notches == 0) {
        event->ignore();
        return;
    }
    transform_.ZoomAbout(event->position(), std::pow(ZoomStep, notches));
    fitted_ = false;
    UpdateHover(event->position());
    update();
    event->accept();
}

void TSheetView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit EndWireRequested();
        return;
    }
    if (event->key() == Qt::Key_F && event->modifiers() == Qt::NoModifier) {
        FitToWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSheetView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fitted_)
        FitToWindow();
}

} // namespace pathwick::workbench
