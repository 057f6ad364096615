#include "platform/qt/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace pathwick {

namespace {
int g_depth = 0;
} // namespace

TWaitCursor::TWaitCursor() {
    ++g_depth;
    // Only a GUI application has a cursor to change.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }
}

TWaitCursor::~TWaitCursor() {
    --g_depth;
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

int WaitCursorDepth() {
    return g_depth;
}

} // namespace pathwick
