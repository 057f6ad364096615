#include "options/OptionsForm.h"

#include "tests/support/TempFolder.h"
#include "ui/ModalResult.h"
#include "ui/WinXPPageControl.h"
#include "ui/WinXPTabSheet.h"
#include "ui/XPBitBtn.h"
#include "ui/XPEdit.h"
#include "ui/XPGroupBox.h"
#include "ui/XPTrackBar.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace pathwick {
namespace {

using test::ReadAll;

class OptionsFormTest : public ::testing::Test {
protected:
    void SetUp() override { options_ = std::make_unique<TRouteOptions>(folder_.Path().string()); }

    // Makes the form over the options and shows it as the user would see it.
    std::unique_ptr<TOptionsForm> Shown(int32_t timeOut, int32_t avoid = 1) {
        options_->TimeOut = timeOut;
        options_->AvoidWiresPosition = avoid;
        auto form = std::make_unique<TOptionsForm>(options_);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    // Puts text into the time-out box and moves the focus on, as Tab does.
    static void TypeAndLeave(TOptionsForm& form, const QString& text) {
        form.TimeOutEditBox->setFocus(Qt::MouseFocusReason);
        form.TimeOutEditBox->selectAll();
        QTest::keyClicks(form.TimeOutEditBox, text);
        QTest::keyClick(form.TimeOutEditBox, Qt::Key_Tab);
        ASSERT_FALSE(form.TimeOutEditBox->hasFocus());
    }

    test::TTempFolder folder_;
    std::unique_ptr<TRouteOptions> options_;
};

TEST_F(OptionsFormTest, ShowFillsTheControls) {
    const auto form = Shown(3000, 7);
    EXPECT_EQ(form->TimeOutEditBox->Text(), "3");
    EXPECT_EQ(form->AvoidWireFrequencyTrackBar->Position(), 7);
    EXPECT_EQ(form->WorkingAvoidWiresPosition(), 7);
    EXPECT_EQ(form->WorkingInset(), 0);
}

struct TTimeOutCase {
    int32_t Stored;
    const char* Shows; // the box's text after showing
    const char* Typed; // null: leave the box without typing
    int32_t Expected;  // TimeOut after OK
};

class TimeOutBoxTest : public OptionsFormTest,
                       public ::testing::WithParamInterface<TTimeOutCase> {};

TEST_P(TimeOutBoxTest, LeavingTheBoxSetsTheWorkingTimeOut) {
    const TTimeOutCase& c = GetParam();
    const auto form = Shown(c.Stored);
    EXPECT_EQ(form->TimeOutEditBox->Text(), c.Shows);
    if (c.Typed) {
        TypeAndLeave(*form, c.Typed);
    } else {
        form->TimeOutEditBox->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(form->TimeOutEditBox, Qt::Key_Tab);
    }
    EXPECT_EQ(form->WorkingTimeOut(), c.Expected);
    form->OKButton->click();
    EXPECT_EQ(form->result(), ModalOK);
    EXPECT_EQ(options_->TimeOut, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TimeOutBoxTest,
    ::testing::Values(TTimeOutCase{3000, "3", "20", 20000}, TTimeOutCase{1500, "1", nullptr, 1000},
                      TTimeOutCase{600000, "600", nullptr, 600000},
                      TTimeOutCase{500, "0", nullptr, 500}, TTimeOutCase{3000, "3", "0", 3000},
                      TTimeOutCase{3000, "3", "100", 3000}, TTimeOutCase{3000, "3", "-3", 3000},
                      TTimeOutCase{3000, "3", "abc", 3000}, TTimeOutCase{3000, "3", "$10", 16000},
                      TTimeOutCase{3000, "3", "1", 1000}, TTimeOutCase{3000, "3", " 7", 7000},
                      TTimeOutCase{3000, "3", "7 ", 3000}));

TEST_F(OptionsFormTest, EnterInTheBoxStoresThePreviousTimeOut) {
    const auto form = Shown(3000);
    form->TimeOutEditBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(form->TimeOutEditBox, "20");
    QTest::keyClick(form->TimeOutEditBox, Qt::Key_Return);
    EXPECT_EQ(form->result(), ModalOK);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(options_->TimeOut, 3000);
}

TEST_F(OptionsFormTest, TrackBarAtTheRightEndStoresTen) {
    const auto form = Shown(3000, 1);
    form->AvoidWireFrequencyTrackBar->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->AvoidWireFrequencyTrackBar, Qt::Key_End);
    EXPECT_EQ(form->WorkingAvoidWiresPosition(), 10);
    form->OKButton->click();
    EXPECT_EQ(options_->AvoidWiresPosition, 10);
}

TEST_F(OptionsFormTest, OkAlwaysStoresInsetZero) {
    options_->ObjectInset = 9;
    const auto form = Shown(3000);
    form->OKButton->click();
    EXPECT_EQ(options_->ObjectInset, 0);
}

TEST_F(OptionsFormTest, CancelEscAndCloseBoxWriteNothing) {
    const std::string path = options_->FilePath();
    for (int way = 0; way < 3; ++way) {
        const auto form = Shown(3000, 4);
        TypeAndLeave(*form, "20");
        QTest::keyClick(form->AvoidWireFrequencyTrackBar, Qt::Key_End);
        if (way == 0)
            form->CancelButton->click();
        else if (way == 1)
            QTest::keyClick(form->AvoidWireFrequencyTrackBar, Qt::Key_Escape);
        else
            form->close();
        EXPECT_EQ(form->result(), ModalCancel) << way;
        EXPECT_EQ(options_->TimeOut, 3000) << way;
        EXPECT_EQ(options_->AvoidWiresPosition, 4) << way;
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(OptionsFormTest, EmptyOptionsVariableStartsFromDefaultsAndWritesNothing) {
    std::unique_ptr<TRouteOptions> none;
    TOptionsForm form(none);
    EXPECT_EQ(form.WorkingTimeOut(), 3000);
    EXPECT_EQ(form.WorkingAvoidWiresPosition(), 1);
    form.OnOKClick();
    EXPECT_EQ(form.result(), ModalOK);
}

TEST_F(OptionsFormTest, LayoutIsAsDesigned) {
    const auto form = Shown(3000);
    EXPECT_EQ(form->windowTitle(), "Point to Point Router Options");
    EXPECT_EQ(form->size(), QSize(232, 191));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    struct TCase {
        QWidget* Widget;
        QWidget* Parent;
        QRect Geometry;
    };
    for (const TCase& c : {
             TCase{form->PageControl1, form.get(), QRect(8, 8, 217, 145)},
             TCase{form->GroupBox1, form->TabSheet1, QRect(8, 9, 193, 104)},
             TCase{form->Label3, form->GroupBox1, QRect(13, 23, 82, 13)},
             TCase{form->TimeOutEditBox, form->GroupBox1, QRect(114, 19, 67, 21)},
             TCase{form->AvoidanceLabel, form->GroupBox1, QRect(14, 57, 89, 13)},
             TCase{form->AvoidWireFrequencyTrackBar, form->GroupBox1, QRect(106, 51, 81, 28)},
             TCase{form->Label1, form->GroupBox1, QRect(114, 78, 6, 13)},
             TCase{form->Label2, form->GroupBox1, QRect(174, 78, 8, 13)},
             TCase{form->OKButton, form.get(), QRect(73, 159, 75, 25)},
             TCase{form->CancelButton, form.get(), QRect(150, 159, 75, 25)},
         }) {
        EXPECT_EQ(c.Widget->parentWidget(), c.Parent) << c.Widget->metaObject()->className();
        EXPECT_EQ(c.Widget->geometry(), c.Geometry) << c.Widget->metaObject()->className();
    }
    EXPECT_EQ(form->PageControl1->count(), 1);
    EXPECT_EQ(form->TabSheet1->Caption(), "Options");
    EXPECT_TRUE(form->GroupBox1->title().isEmpty());
    EXPECT_EQ(form->Label3->text(), "Time Out After (s)");
    EXPECT_EQ(form->AvoidanceLabel->text(), "Avoid cutting wires");
    EXPECT_EQ(form->Label1->text(), "L");
    EXPECT_EQ(form->Label2->text(), "H");
    EXPECT_EQ(form->OKButton->Caption(), "OK");
    EXPECT_EQ(form->CancelButton->Caption(), "Cancel");
    EXPECT_TRUE(form->OKButton->isDefault());
    EXPECT_TRUE(form->CancelButton->IsCancel());
    EXPECT_EQ(form->OKButton->ModalResult(), ModalOK);
    EXPECT_EQ(form->CancelButton->ModalResult(), ModalCancel);
    EXPECT_EQ(form->AvoidWireFrequencyTrackBar->Min(), 1);
    EXPECT_EQ(form->AvoidWireFrequencyTrackBar->Max(), 10);
    // The designed font at 8 points, or a stand-in no larger that keeps every
    // label inside its designed width.
    const QFontInfo font(form->font());
    if (font.family() == "MS Sans Serif") {
        EXPECT_EQ(font.pointSize(), 8);
    }
    EXPECT_LE(form->font().pointSizeF(), 8.0);
    for (const QLabel* label : {form->Label3, form->AvoidanceLabel, form->Label1, form->Label2}) {
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    }
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
}

TEST_F(OptionsFormTest, TabWalksBoxBarOkCancel) {
    const auto form = Shown(3000);
    form->TimeOutEditBox->setFocus(Qt::TabFocusReason);
    const QWidget* expected[] = {form->AvoidWireFrequencyTrackBar, form->OKButton,
                                 form->CancelButton};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(OptionsFormTest, FormIsCentredOnTheScreen) {
    const auto form = Shown(3000);
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(OptionsFormTest, RunOptionsDialogReturnsTheModalResult) {
    options_->TimeOut = 3000;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TOptionsForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->AvoidWireFrequencyTrackBar->SetPosition(6);
        form->OKButton->click();
    });
    EXPECT_EQ(RunOptionsDialog(options_), ModalOK);
    EXPECT_EQ(options_->AvoidWiresPosition, 6);

    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(RunOptionsDialog(options_), ModalCancel);
}

TEST_F(OptionsFormTest, PictureHasTheClientSize) {
    const auto form = Shown(3000, 4);
    const QPixmap picture = form->grab();
    EXPECT_EQ(picture.size(), QSize(232, 191) * picture.devicePixelRatio());
    const QString file = QStringLiteral(PATHWICK_BINARY_DIR "/options-dialog.png");
    EXPECT_TRUE(picture.save(file, "PNG"));
}

} // namespace
} // namespace pathwick
