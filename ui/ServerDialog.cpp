#include "ui/ServerDialog.h"

#include "host/ClientLookup.h"
#include "host/HostCall.h"
#include "ui/ModalResult.h"
#include "ui/XPBitBtn.h"

#include <QApplication>
#include <QKeyEvent>

namespace pathwick {

namespace {

// The client's main window, only when it names a widget that exists here:
// the handle is opaque, and a stale or foreign one must not be used.
QWidget* ClientMainWindow() {
    IClient* client = ModuleClient();
    if (!client)
        return nullptr;
    void* handle = nullptr;
    HostCall(client->GetMainWindow(&handle));
    if (!handle)
        return nullptr;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (static_cast<void*>(widget) == handle)
            return widget;
    }
    return nullptr;
}

QWidget* WindowOfHostClass() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->property("windowClass").toString() ==
            QLatin1String(TServerDialog::MainWindowClass))
            return widget;
    }
    return nullptr;
}

} // namespace

TServerDialog::TServerDialog() {
    QWidget* owner = FindOwnerWindow();
    // A title with a system menu and a context-help button, no resizing.
    setParent(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowContextHelpButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint);
}

QWidget* TServerDialog::FindOwnerWindow() {
    QWidget* reported = ClientMainWindow();
    if (QWidget* hostWindow = WindowOfHostClass())
        return hostWindow;
    return reported;
}

int TServerDialog::ShowModal() {
    closed_ = false;
    setResult(ModalNone);
    return exec();
}

void TServerDialog::done(int result) {
    if (closed_)
        return;
    closed_ = true;
    QDialog::done(result);
}

void TServerDialog::reject() {
    done(ModalCancel);
}

void TServerDialog::showEvent(QShowEvent* event) {
    closed_ = false;
    QDialog::showEvent(event);
}

void TServerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        for (TXPBitBtn* button : findChildren<TXPBitBtn*>()) {
            if (button->IsCancel() && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace pathwick
