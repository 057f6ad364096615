#include "ui/XPTrackBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>

namespace pathwick {

namespace {

constexpr int ThumbWidth = 11;
constexpr int EndMargin = 6;
constexpr int ChannelTop = 8;
constexpr int ChannelHeight = 4;
constexpr int ThumbTop = 3;
constexpr int ThumbHeight = 16;
constexpr int TickTop = 21;
constexpr int TickLength = 3;
constexpr int MaxTicks = 50;
constexpr int WheelNotch = 120;

int32_t Clamp(int64_t value, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, low, high));
}

} // namespace

TXPTrackBar::TXPTrackBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    repeat_.setInterval(RepeatIntervalMs);
    connect(&repeat_, &QTimer::timeout, this, &TXPTrackBar::RepeatStep);
}

void TXPTrackBar::SetMin(int32_t min) {
    min_ = min;
    max_ = std::max(max_, min_);
    SetPosition(position_);
    update();
}

void TXPTrackBar::SetMax(int32_t max) {
    max_ = max;
    min_ = std::min(min_, max_);
    SetPosition(position_);
    update();
}

void TXPTrackBar::SetPosition(int32_t position) {
    const int32_t clamped = std::clamp(position, min_, max_);
    if (clamped == position_)
        return;
    position_ = clamped;
    update();
    emit Changed(position_);
}

void TXPTrackBar::StepBy(int64_t delta) {
    SetPosition(Clamp(int64_t{position_} + delta, min_, max_));
}

QSize TXPTrackBar::sizeHint() const {
    return QSize(100, 28);
}

int TXPTrackBar::TrackLeft() const {
    return EndMargin + ThumbWidth / 2;
}

int TXPTrackBar::TrackRight() const {
    return std::max(TrackLeft(), width() - 1 - EndMargin - ThumbWidth / 2);
}

int TXPTrackBar::PositionToX(int32_t position) const {
    // In 64 bits: the range may span the whole 32-bit scale.
    const int64_t range = int64_t{max_} - min_;
    if (range == 0)
        return TrackLeft();
    const int64_t span = TrackRight() - TrackLeft();
    return TrackLeft() + static_cast<int>((int64_t{position} - min_) * span / range);
}

int32_t TXPTrackBar::XToPosition(int x) const {
    const int64_t span = TrackRight() - TrackLeft();
    if (span == 0)
        return min_;
    const int64_t range = int64_t{max_} - min_;
    const int64_t offset = std::clamp<int64_t>(x - TrackLeft(), 0, span);
    // Nearest position: round half up.
    return Clamp(min_ + (offset * range * 2 + span) / (span * 2), min_, max_);
}

bool TXPTrackBar::OnThumb(int x) const {
    const int centre = PositionToX(position_);
    return x >= centre - ThumbWidth / 2 && x <= centre + ThumbWidth / 2;
}

void TXPTrackBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        StepBy(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        StepBy(1);
        break;
    case Qt::Key_PageUp:
        StepBy(-PageStep);
        break;
    case Qt::Key_PageDown:
        StepBy(PageStep);
        break;
    case Qt::Key_Home:
        SetPosition(min_);
        break;
    case Qt::Key_End:
        SetPosition(max_);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TXPTrackBar::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    // Some systems turn a Shift-held wheel into a sideways one.
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / WheelNotch;
    wheelRemainder_ -= notches * WheelNotch;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? PageStep : 1;
    // Away from the user (a positive angle) lowers the position.
    StepBy(-int64_t{notches} * step);
    event->accept();
}

void TXPTrackBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int x = event->position().toPoint().x();
    if (OnThumb(x)) {
        dragging_ = true;
        dragOffset_ = x - PositionToX(position_);
    } else {
        holdX_ = x;
        holdDirection_ = x < PositionToX(position_) ? -1 : 1;
        StepBy(int64_t{holdDirection_} * PageStep);
        repeat_.start();
    }
    event->accept();
}

void TXPTrackBar::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (dragging_)
        SetPosition(XToPosition(x - dragOffset_));
    else if (holdDirection_ != 0)
        holdX_ = x;
    event->accept();
}

void TXPTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        holdDirection_ = 0;
        repeat_.stop();
    }
    event->accept();
}

void TXPTrackBar::RepeatStep() {
    const int centre = PositionToX(position_);
    const bool beyond =
        holdDirection_ < 0 ? holdX_ < centre - ThumbWidth / 2 : holdX_ > centre + ThumbWidth / 2;
    if (holdDirection_ == 0 || !beyond) {
        repeat_.stop();
        return;
    }
    StepBy(int64_t{holdDirection_} * PageStep);
}

void TXPTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();

    // The sunken channel.
    const QRect channel(EndMargin, ChannelTop, width() - 2 * EndMargin, ChannelHeight);
    painter.setPen(colours.color(QPalette::Dark));
    painter.setBrush(colours.color(QPalette::Base));
    painter.drawRect(channel.adjusted(0, 0, -1, -1));

    // A tick under every position, or under the two ends of a long range.
    painter.setPen(colours.color(QPalette::WindowText));
    const int64_t range = int64_t{max_} - min_;
    if (range <= MaxTicks) {
        for (int64_t p = min_; p <= max_; ++p) {
            const int x = PositionToX(static_cast<int32_t>(p));
            painter.drawLine(x, TickTop, x, TickTop + TickLength - 1);
        }
    } else {
        painter.drawLine(TrackLeft(), TickTop, TrackLeft(), TickTop + TickLength - 1);
        painter.drawLine(TrackRight(), TickTop, TrackRight(), TickTop + TickLength - 1);
    }

    // The thumb: a plate with a point downward.
    const int centre = PositionToX(position_);
    const int half = ThumbWidth / 2;
    const int bottom = ThumbTop + ThumbHeight - 1;
    const QPoint thumb[] = {{centre - half, ThumbTop},
                            {centre + half, ThumbTop},
                            {centre + half, bottom - half},
                            {centre, bottom},
                            {centre - half, bottom - half}};
    painter.setPen(colours.color(QPalette::Shadow));
    painter.setBrush(isEnabled() ? colours.color(QPalette::Button) : colours.color(QPalette::Mid));
    painter.drawPolygon(thumb, static_cast<int>(std::size(thumb)));

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace pathwick
