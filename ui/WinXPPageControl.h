// The themed page control: tabs over a stack of pages.
#pragma once

#include <QTabWidget>

namespace pathwick {

class TWinXPPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TWinXPPageControl(QWidget* parent = nullptr) : QTabWidget(parent) {}
};

} // namespace pathwick
