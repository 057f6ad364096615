#include "workbench/cli/GuiApplication.h"

#include "workbench/cli/Commands.h"

#include <cstdio>
#include <cstdlib>

namespace pathwick::workbench {

namespace {

QtMessageHandler g_toolkitHandler = nullptr;

// The toolkit's fatal message while it connects to the display is followed by
// an abort; explain it and leave with the bad-input status instead.
void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage);
        std::_Exit(ExitBadInput);
    }
    if (g_toolkitHandler)
        g_toolkitHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool DisplayNamed() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

std::unique_ptr<QApplication> MakeGuiApplication(int& argc, char** argv) {
    if (!DisplayNamed()) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage);
        return nullptr;
    }
    g_toolkitHandler = qInstallMessageHandler(OnStartupMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_toolkitHandler);
    g_toolkitHandler = nullptr;
    return app;
}

} // namespace pathwick::workbench
