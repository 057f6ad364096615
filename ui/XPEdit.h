// The themed single-line edit: a text and an exit event.
#pragma once

#include <QLineEdit>

namespace pathwick {

class TXPEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TXPEdit(QWidget* parent = nullptr);

    void SetText(const QString& text) { setText(text); }
    QString Text() const { return text(); }

signals:
    // The keyboard focus has moved from the box to another control of its
    // window. Leaving the window itself (another application, a popup) is no
    // exit: the focus comes back to the box.
    void Exit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace pathwick
