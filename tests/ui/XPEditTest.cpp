#include "ui/XPEdit.h"

#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace pathwick {
namespace {

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new TXPEdit(&window_);
        other_ = new QLineEdit(&window_);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        edit_->setFocus(Qt::OtherFocusReason);
    }

    QWidget window_;
    TXPEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
};

TEST_F(EditTest, LeavingForAnotherControlIsAnExit) {
    QSignalSpy exits(edit_, &TXPEdit::Exit);
    QTest::keyClicks(edit_, "42");
    EXPECT_EQ(exits.count(), 0); // typing is no exit
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_EQ(exits.count(), 0); // nor is Enter
    QTest::keyClick(edit_, Qt::Key_Tab);
    EXPECT_TRUE(other_->hasFocus());
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(EditTest, LeavingTheWindowIsNoExit) {
    QSignalSpy exits(edit_, &TXPEdit::Exit);
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent event(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(edit_, &event);
    }
    EXPECT_EQ(exits.count(), 0);
    QFocusEvent event(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit_, &event);
    EXPECT_EQ(exits.count(), 1);
}

} // namespace
} // namespace pathwick
