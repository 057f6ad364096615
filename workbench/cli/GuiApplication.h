// The application object of a command that opens windows.
#pragma once

#include <QApplication>

#include <memory>

namespace pathwick::workbench {

inline constexpr const char* NoDisplayMessage =
    "pathwick: no display available (set DISPLAY or QT_QPA_PLATFORM)";

// Makes the application object. Without a display it says so on stderr and
// gives null, and the command exits with ExitBadInput; a display that is
// named but cannot be reached ends the process the same way, with that exit
// status, instead of the toolkit's abort. argc must outlive the application.
std::unique_ptr<QApplication> MakeGuiApplication(int& argc, char** argv);

} // namespace pathwick::workbench
