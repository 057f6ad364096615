// The themed push button: a caption, a click event, and a modal result that
// closes its dialog after the click event has run.
#pragma once

#include <QPushButton>

namespace pathwick {

class TXPBitBtn : public QPushButton {
    Q_OBJECT
public:
    explicit TXPBitBtn(QWidget* parent = nullptr);

    void SetCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }

    // ModalNone leaves the dialog open.
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }

    // The default button answers Enter anywhere in its dialog.
    void SetDefault(bool on) { setDefault(on); }
    // The cancel button answers Esc in a TServerDialog.
    void SetCancel(bool on) { cancel_ = on; }
    bool IsCancel() const { return cancel_; }

signals:
    void Click();

private:
    void HandleClicked();

    int modalResult_ = 0;
    bool cancel_ = false;
};

} // namespace pathwick
