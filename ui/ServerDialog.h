// The base of the module's dialogs: owned by the host's main window, shown
// modally, closed with a modal result.
#pragma once

#include <QDialog>

namespace pathwick {

class TServerDialog : public QDialog {
    Q_OBJECT
public:
    // The window class that the host's main window carries (as the dynamic
    // property "windowClass" of a top-level widget).
    static constexpr const char* MainWindowClass = "Vorelline Main Window";

    // Made with the host's main window as its owner (see FindOwnerWindow).
    TServerDialog();

    // The owner for a new dialog: a top-level widget carrying the host's main
    // window class when there is one, else the main window that the module's
    // client reports, if it is a widget of this application; else none.
    // A failing client call raises EHostCallError.
    static QWidget* FindOwnerWindow();

    // Shows the dialog modally and returns its modal result; ModalCancel
    // when it is closed by the close box or by Esc without a cancel button.
    int ShowModal();

    // The first close of a showing sets the result; later ones in the same
    // showing (a button's modal result after its own click handler closed the
    // dialog) are ignored.
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Esc clicks the button that has the cancel role, as the user would.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool closed_ = false;
};

} // namespace pathwick
