// One page of a TWinXPPageControl, with the caption of its tab.
#pragma once

#include <QWidget>

namespace pathwick {

class TWinXPPageControl;

class TWinXPTabSheet : public QWidget {
    Q_OBJECT
public:
    // Adds itself as the last page of pageControl, which then owns it.
    TWinXPTabSheet(TWinXPPageControl* pageControl, const QString& caption);

    QString Caption() const;

private:
    TWinXPPageControl* pageControl_;
};

} // namespace pathwick
