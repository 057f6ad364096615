#include "ui/XPBitBtn.h"

#include "ui/ModalResult.h"

#include <QDialog>
#include <QPointer>

namespace pathwick {

TXPBitBtn::TXPBitBtn(QWidget* parent) : QPushButton(parent) {
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);
    connect(this, &QPushButton::clicked, this, &TXPBitBtn::HandleClicked);
}

void TXPBitBtn::HandleClicked() {
    // The click handler may close or even free the dialog.
    const QPointer<TXPBitBtn> self(this);
    emit Click();
    if (!self || modalResult_ == ModalNone)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(modalResult_);
}

} // namespace pathwick
