// The themed group box: a frame round related controls.
#pragma once

#include <QGroupBox>

namespace pathwick {

class TXPGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TXPGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
};

} // namespace pathwick
