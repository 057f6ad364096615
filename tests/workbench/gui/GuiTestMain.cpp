// Runs the tests inside a widget application, as the window needs one.
#include "host/ClientLookup.h"
#include "workbench/model/WorkbenchHost.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window's statically linked core code sees the host's client too.
    pathwick::SetModuleClient(&pathwick::workbench::TWorkbenchHost::Instance().Client());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
