#include "ui/WinXPTabSheet.h"

#include "ui/WinXPPageControl.h"

namespace pathwick {

TWinXPTabSheet::TWinXPTabSheet(TWinXPPageControl* pageControl, const QString& caption)
    : pageControl_(pageControl) {
    pageControl_->addTab(this, caption);
}

QString TWinXPTabSheet::Caption() const {
    return pageControl_->tabText(pageControl_->indexOf(this));
}

} // namespace pathwick
