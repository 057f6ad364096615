// The themed track bar: a thumb on a horizontal track, minimum at the left.
#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>

namespace pathwick {

// The user moves the thumb with the keyboard (Left and Up -1, Right and Down
// +1, Page Up -2, Page Down +2, Home to the minimum, End to the maximum), the
// mouse wheel (1 per notch, 2 with Shift; a notch away from the user lowers),
// by dragging it, or by holding the button on the track beside it, which
// steps by 2 toward the pointer at once and then at every repeat interval
// until the thumb reaches the pointer.
class TXPTrackBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageStep = 2;
    static constexpr int RepeatIntervalMs = 500;

    explicit TXPTrackBar(QWidget* parent = nullptr);

    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    int32_t Position() const { return position_; }

    // A maximum below the minimum is raised to it (and the other way round);
    // the position is then clamped, which may fire Changed.
    void SetMin(int32_t min);
    void SetMax(int32_t max);
    // Clamps to Min..Max; fires Changed when the position changes.
    void SetPosition(int32_t position);

    // The timer behind hold-to-repeat; exposed so that a test can drive it.
    QTimer& RepeatTimer() { return repeat_; }

    QSize sizeHint() const override;

signals:
    void Changed(int32_t position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Moves by delta, saturating at the ends.
    void StepBy(int64_t delta);
    int TrackLeft() const;
    int TrackRight() const;
    int PositionToX(int32_t position) const;
    int32_t XToPosition(int x) const;
    bool OnThumb(int x) const;
    // One hold-to-repeat step; stops repeating once the thumb is under the pointer.
    void RepeatStep();

    int32_t min_ = 0;
    int32_t max_ = 10;
    int32_t position_ = 0;

    bool dragging_ = false;
    int dragOffset_ = 0; // pointer x minus thumb centre at the press
    int holdDirection_ = 0;
    int holdX_ = 0;
    QTimer repeat_;
    int wheelRemainder_ = 0; // wheel angle not yet a whole notch
};

} // namespace pathwick
