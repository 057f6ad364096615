#include "ui/XPEdit.h"

#include <QFocusEvent>

namespace pathwick {

TXPEdit::TXPEdit(QWidget* parent) : QLineEdit(parent) {}

void TXPEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        emit Exit();
    }
}

} // namespace pathwick
