#include "ui/XPTrackBar.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <climits>

namespace pathwick {
namespace {

// The dialog's bar: 81 pixels wide, 1 to 10. Its thumb centres run from x 11
// (position 1) to x 69 (position 10).
class TrackBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar_.setGeometry(0, 0, 81, 28);
        bar_.SetMin(1);
        bar_.SetPosition(1);
    }

    void Wheel(QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent event(QPointF(40, 14), QPointF(40, 14), QPoint(), angle, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&bar_, &event);
    }
    void Tick() { QMetaObject::invokeMethod(&bar_.RepeatTimer(), "timeout"); }

    TXPTrackBar bar_;
};

TEST(TrackBar, DefaultsAreZeroToTen) {
    TXPTrackBar bar;
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(TrackBarTest, PositionClampsAndSignalsOnlyChanges) {
    QSignalSpy changed(&bar_, &TXPTrackBar::Changed);
    struct TCase {
        int32_t Set;
        int32_t Expected;
    };
    for (const TCase c : {TCase{5, 5}, TCase{5, 5}, TCase{11, 10}, TCase{INT32_MAX, 10},
                          TCase{0, 1}, TCase{INT32_MIN, 1}, TCase{10, 10}}) {
        bar_.SetPosition(c.Set);
        EXPECT_EQ(bar_.Position(), c.Expected) << c.Set;
    }
    // 5, 10, 1 and 10 again are changes; the repeated 5 and the clamped 1 are not.
    ASSERT_EQ(changed.count(), 4);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 5);
    EXPECT_EQ(changed.at(3).at(0).toInt(), 10);
}

TEST_F(TrackBarTest, RangeChangesClampThePosition) {
    bar_.SetPosition(8);
    QSignalSpy changed(&bar_, &TXPTrackBar::Changed);
    bar_.SetMax(6);
    EXPECT_EQ(bar_.Position(), 6);
    bar_.SetMin(9);
    EXPECT_EQ(bar_.Max(), 9);
    EXPECT_EQ(bar_.Position(), 9);
    bar_.SetMax(-3);
    EXPECT_EQ(bar_.Min(), -3);
    EXPECT_EQ(bar_.Position(), -3);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(TrackBarTest, KeyboardMovesAsListed) {
    struct TCase {
        Qt::Key Key;
        int32_t From;
        int32_t Expected;
    };
    for (const TCase c :
         {TCase{Qt::Key_Left, 5, 4}, TCase{Qt::Key_Up, 5, 4}, TCase{Qt::Key_Right, 5, 6},
          TCase{Qt::Key_Down, 5, 6}, TCase{Qt::Key_PageUp, 5, 3}, TCase{Qt::Key_PageDown, 5, 7},
          TCase{Qt::Key_Home, 5, 1}, TCase{Qt::Key_End, 5, 10}, TCase{Qt::Key_Left, 1, 1},
          TCase{Qt::Key_PageUp, 2, 1}, TCase{Qt::Key_PageDown, 9, 10}, TCase{Qt::Key_Right, 10, 10},
          TCase{Qt::Key_A, 5, 5}}) {
        bar_.SetPosition(c.From);
        QTest::keyClick(&bar_, c.Key);
        EXPECT_EQ(bar_.Position(), c.Expected) << c.Key << " from " << c.From;
    }
}

TEST_F(TrackBarTest, WheelStepsOnePerNotchTwoWithShift) {
    bar_.SetPosition(5);
    Wheel({0, 120}); // away from the user
    EXPECT_EQ(bar_.Position(), 4);
    Wheel({0, -120});
    Wheel({0, -240});
    EXPECT_EQ(bar_.Position(), 7);
    Wheel({0, 120}, Qt::ShiftModifier);
    EXPECT_EQ(bar_.Position(), 5);
    Wheel({120, 0}, Qt::ShiftModifier); // a Shift wheel turned sideways
    EXPECT_EQ(bar_.Position(), 3);
    Wheel({0, 60}); // half a notch: nothing yet
    EXPECT_EQ(bar_.Position(), 3);
    Wheel({0, 60});
    EXPECT_EQ(bar_.Position(), 2);
    Wheel({0, 1200});
    EXPECT_EQ(bar_.Position(), 1);
}

TEST_F(TrackBarTest, DraggingTheThumbFollowsThePointer) {
    QTest::mousePress(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(11, 14));
    QTest::mouseMove(&bar_, QPoint(40, 14)); // 29 of 58 pixels: halfway, 5.5 rounds up
    EXPECT_EQ(bar_.Position(), 6);
    QTest::mouseMove(&bar_, QPoint(200, 14));
    EXPECT_EQ(bar_.Position(), 10);
    QTest::mouseMove(&bar_, QPoint(-50, 14));
    EXPECT_EQ(bar_.Position(), 1);
    QTest::mouseMove(&bar_, QPoint(63, 14)); // 52 of 58 pixels
    QTest::mouseRelease(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(63, 14));
    EXPECT_EQ(bar_.Position(), 9);
    EXPECT_FALSE(bar_.RepeatTimer().isActive());
    // After the release, moving no longer drags.
    QTest::mouseMove(&bar_, QPoint(11, 14));
    EXPECT_EQ(bar_.Position(), 9);
}

TEST_F(TrackBarTest, HoldingBesideTheThumbStepsTowardThePointer) {
    QTest::mousePress(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(70, 14));
    EXPECT_EQ(bar_.Position(), 3); // at once
    ASSERT_TRUE(bar_.RepeatTimer().isActive());
    EXPECT_EQ(bar_.RepeatTimer().interval(), 500);
    Tick();
    EXPECT_EQ(bar_.Position(), 5);
    Tick();
    Tick();
    EXPECT_EQ(bar_.Position(), 9);
    Tick(); // the pointer is still right of the thumb at 9
    EXPECT_EQ(bar_.Position(), 10);
    Tick(); // the thumb is under the pointer now
    EXPECT_EQ(bar_.Position(), 10);
    EXPECT_FALSE(bar_.RepeatTimer().isActive());
    QTest::mouseRelease(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(70, 14));
}

TEST_F(TrackBarTest, HoldingLeftOfTheThumbLowersAndReleaseStops) {
    bar_.SetPosition(10);
    QTest::mousePress(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(5, 14));
    EXPECT_EQ(bar_.Position(), 8);
    Tick();
    EXPECT_EQ(bar_.Position(), 6);
    QTest::mouseRelease(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(5, 14));
    EXPECT_FALSE(bar_.RepeatTimer().isActive());
    Tick(); // a late tick after the release changes nothing
    EXPECT_EQ(bar_.Position(), 6);
}

TEST_F(TrackBarTest, PointerMovedOntoTheThumbEndsTheRepeat) {
    bar_.SetPosition(1);
    QTest::mousePress(&bar_, Qt::LeftButton, Qt::NoModifier, QPoint(75, 14));
    EXPECT_EQ(bar_.Position(), 3);
    QTest::mouseMove(&bar_, QPoint(24, 14)); // over the thumb at 3 (centre x 23)
    Tick();
    EXPECT_EQ(bar_.Position(), 3);
    EXPECT_FALSE(bar_.RepeatTimer().isActive());
}

TEST(TrackBar, FullIntegerRangeMapsWithoutOverflow) {
    TXPTrackBar bar;
    bar.setGeometry(0, 0, 81, 28);
    bar.SetMin(INT32_MIN);
    bar.SetMax(INT32_MAX);
    bar.SetPosition(0);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(40, 14));
    QTest::mouseMove(&bar, QPoint(500, 14));
    EXPECT_EQ(bar.Position(), INT32_MAX);
    QTest::mouseMove(&bar, QPoint(-500, 14));
    EXPECT_EQ(bar.Position(), INT32_MIN);
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(-500, 14));
    QTest::keyClick(&bar, Qt::Key_Left);
    EXPECT_EQ(bar.Position(), INT32_MIN);
    bar.grab(); // painting a huge range must not loop over every value
}

} // namespace
} // namespace pathwick
