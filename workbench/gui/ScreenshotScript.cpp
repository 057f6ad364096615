#include "workbench/gui/ScreenshotScript.h"

#include "workbench/gui/MainWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

namespace pathwick::workbench {

void ClickPage(TSheetView& view, QPointF at, Qt::MouseButton button) {
    const QPointF global = view.mapToGlobal(at);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&view, &release);
}

bool PlaceDemoWiresAndGrab(TMainWindow& window, const std::vector<TWirePoints>& wires,
                           const QString& path) {
    window.resize(1200, 880);
    window.show();
    QApplication::processEvents();
    TSheetView& view = *window.View();
    view.FitToWindow();
    for (const TWirePoints& wire : wires) {
        for (const TSheetPoint& point : wire)
            ClickPage(view, view.ToWidget(point), Qt::LeftButton);
        ClickPage(view, view.ToWidget(wire.back()), Qt::RightButton);
    }
    QApplication::processEvents();
    return window.grab().save(path);
}

} // namespace pathwick::workbench
