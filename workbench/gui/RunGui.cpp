// pathwick gui: the workbench host's window.
#include "workbench/cli/Commands.h"

#include "workbench/cli/DemoSheet.h"
#include "workbench/cli/GuiApplication.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/cli/OutputPaths.h"
#include "workbench/files/SheetFile.h"
#include "workbench/gui/MainWindow.h"
#include "workbench/gui/ScreenshotScript.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace pathwick::workbench {

namespace {

// A picture needs no display: without one, draw offscreen.
void PreferOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int RunGui(const TGlobalOptions& global, const TGuiCommand& command, int argc, char** argv) {
    const bool screenshot = !command.ScreenshotPath.empty();
    // The picture never replaces the sheet it shows.
    CheckOutputPaths(command.SheetPath, {{"--screenshot", command.ScreenshotPath}});
    if (screenshot)
        PreferOffscreenWithoutDisplay();
    SetUpHost(global);
    std::unique_ptr<QApplication> app = MakeGuiApplication(argc, argv);
    if (!app)
        return ExitBadInput;

    std::unique_ptr<TModule> module;
    try {
        module = LoadRoutingModule(global);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        if (screenshot)
            return ExitBadInput;
        QMessageBox::warning(nullptr, QStringLiteral("Pathwick"),
                             QStringLiteral("%1\nWires will be placed without routing.")
                                 .arg(QString::fromUtf8(e.what())));
    }

    TMainWindow window(module.get());
    const bool demo = command.SheetPath.empty();
    if (demo) {
        window.OpenSheet(ParseSheet(DemoSheetText(), DemoSheetName()), QString(),
                         QFileInfo(QString::fromLatin1(DemoSheetName())).fileName());
    } else if (!window.OpenFile(QString::fromStdString(command.SheetPath)) && screenshot) {
        return ExitBadInput;
    }
    if (!screenshot) {
        window.show();
        return app->exec() == 0 ? ExitOk : ExitBadInput;
    }
    // The demo's wires belong to the demo sheet; another sheet is shown as it is.
    PlaceWiresByClicks(window, demo ? DemoWires() : std::vector<TWirePoints>{});
    SaveWindowPicture(window, QString::fromStdString(command.ScreenshotPath));
    std::printf("wrote %s\n", command.ScreenshotPath.c_str());
    return ExitOk;
}

} // namespace pathwick::workbench
