#include "workbench/gui/ScreenshotScript.h"

#include "workbench/files/OutputFile.h"
#include "workbench/gui/MainWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
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

void PlaceWiresByClicks(TMainWindow& window, const std::vector<TWirePoints>& wires) {
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
}

void SaveWindowPicture(TMainWindow& window, const QString& path) {
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = "png";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!window.grab().save(&buffer, format.constData()))
        throw EOutputFileError("cannot write " + path.toStdString() +
                               ": the picture could not be encoded");
    WriteOutputFile(path.toStdString(),
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace pathwick::workbench
