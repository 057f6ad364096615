#include "platform/qt/Beep.h"

#include <QApplication>

#include <utility>

namespace pathwick {

namespace {
std::function<void(uint32_t)>& Observer() {
    static std::function<void(uint32_t)> observer;
    return observer;
}
} // namespace

void MessageBeep(uint32_t type) {
    if (const auto& observer = Observer())
        observer(type);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

void SetBeepObserver(std::function<void(uint32_t)> observer) {
    Observer() = std::move(observer);
}

} // namespace pathwick
