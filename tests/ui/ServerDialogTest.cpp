#include "ui/ServerDialog.h"

#include "host/ClientLookup.h"
#include "host/HostCall.h"
#include "tests/support/FakeClient.h"
#include "ui/ModalResult.h"
#include "ui/XPBitBtn.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace pathwick {
namespace {

class ServerDialogTest : public ::testing::Test {
protected:
    void TearDown() override { SetModuleClient(nullptr); }

    // A top-level window that carries the host's main window class.
    std::unique_ptr<QWidget> HostClassWindow() {
        auto window = std::make_unique<QWidget>();
        window->setProperty("windowClass", QString::fromLatin1(TServerDialog::MainWindowClass));
        return window;
    }

    test::TFakeClient client_;
};

TEST_F(ServerDialogTest, OwnerIsTheClientsMainWindow) {
    QWidget main;
    client_.MainWindow = &main;
    SetModuleClient(&client_);
    TServerDialog dialog;
    EXPECT_EQ(dialog.parentWidget(), &main);
    EXPECT_TRUE(dialog.isWindow());
}

TEST_F(ServerDialogTest, WindowOfTheHostClassWinsOverTheClientsWindow) {
    QWidget reported;
    client_.MainWindow = &reported;
    SetModuleClient(&client_);
    const auto hostWindow = HostClassWindow();
    QWidget other; // a top-level widget without the class
    TServerDialog dialog;
    EXPECT_EQ(dialog.parentWidget(), hostWindow.get());
}

TEST_F(ServerDialogTest, HandleThatIsNoWidgetOfOursIsNotUsed) {
    int notAWidget = 0;
    client_.MainWindow = &notAWidget;
    SetModuleClient(&client_);
    EXPECT_EQ(TServerDialog::FindOwnerWindow(), nullptr);
}

TEST_F(ServerDialogTest, FailingClientRaises) {
    client_.Status = HostFail;
    SetModuleClient(&client_);
    EXPECT_THROW(TServerDialog dialog, EHostCallError);
}

TEST_F(ServerDialogTest, FrameHasTitleSystemMenuAndHelpButNoResizing) {
    TServerDialog dialog;
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(ServerDialogTest, CloseBoxAndEscWithoutCancelButtonGiveCancel) {
    TServerDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_EQ(dialog.ShowModal(), ModalCancel);
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.ShowModal(), ModalCancel);
}

TEST_F(ServerDialogTest, EscClicksTheCancelButton) {
    TServerDialog dialog;
    auto* cancel = new TXPBitBtn(&dialog);
    cancel->SetCancel(true);
    cancel->SetModalResult(ModalCancel);
    QSignalSpy clicks(cancel, &TXPBitBtn::Click);
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.ShowModal(), ModalCancel);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ServerDialogTest, FirstCloseOfAShowingWins) {
    TServerDialog dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTimer::singleShot(0, &dialog, [&] {
        dialog.done(ModalOK);
        dialog.done(ModalCancel);
    });
    EXPECT_EQ(dialog.ShowModal(), ModalOK);
    EXPECT_EQ(finished.count(), 1);
    // A new showing can close again.
    QTimer::singleShot(0, &dialog, [&] { dialog.done(7); });
    EXPECT_EQ(dialog.ShowModal(), 7);
}

TEST_F(ServerDialogTest, ButtonClickRunsItsHandlerBeforeItsModalResultCloses) {
    TServerDialog dialog;
    auto* ok = new TXPBitBtn(&dialog);
    ok->SetCaption("OK");
    ok->SetModalResult(ModalOK);
    int resultSeenByHandler = -1;
    bool visibleInHandler = false;
    QObject::connect(ok, &TXPBitBtn::Click, [&] {
        resultSeenByHandler = dialog.result();
        visibleInHandler = dialog.isVisible();
    });
    QTimer::singleShot(0, &dialog, [&] { ok->click(); });
    EXPECT_EQ(dialog.ShowModal(), ModalOK);
    EXPECT_EQ(resultSeenByHandler, ModalNone);
    EXPECT_TRUE(visibleInHandler);
    EXPECT_EQ(ok->Caption(), "OK");
}

} // namespace
} // namespace pathwick
