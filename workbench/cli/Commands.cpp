// The commands that read a sheet or the settings without routing.
#include "workbench/cli/Commands.h"

#include "geometry/ObstacleDump.h"
#include "geometry/ObstacleTree.h"
#include "host/ClientLookup.h"
#include "options/RouteOptions.h"
#include "platform/system/UserFolders.h"
#include "sheet/SheetExtent.h"
#include "sheet/SheetObstacles.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/files/SheetFile.h"
#include "workbench/files/SheetSvg.h"
#include "workbench/model/WorkbenchHost.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace pathwick::workbench {

namespace {

HostRef<TSheetDocument> LoadSheetOrExplain(const std::string& path) {
    try {
        return LoadSheetFile(path);
    } catch (const ESheetFileError& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return {};
    }
}

} // namespace

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

int RunRender(const TGlobalOptions& global, const TRenderCommand& command) {
    SetUpHost(global);
    HostRef<TSheetDocument> sheet = LoadSheetOrExplain(command.SheetPath);
    if (!sheet)
        return kExitBadInput;
    WriteTextFile(command.SvgPath, RenderSheetSvg(*sheet, TSvgOptions{}));
    std::printf("wrote %s\n", command.SvgPath.c_str());
    return kExitOk;
}

int RunObstacles(const TGlobalOptions& global, const TObstaclesCommand& command) {
    SetUpHost(global);
    HostRef<TSheetDocument> sheet = LoadSheetOrExplain(command.SheetPath);
    if (!sheet)
        return kExitBadInput;
    TWorkbenchHost::Instance().SetActiveDocument(sheet.Get());
    // The same build as a session's, with the margin the session passes.
    TBoundingRect extent;
    SetToSheet(extent, &TWorkbenchHost::Instance().Service());
    TObstacleTree tree(extent);
    BuildFromDocument(tree, sheet.Get(), -1);
    std::fputs(DescribeObstacles(tree).c_str(), stdout);
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    return kExitOk;
}

int RunSettings(const TGlobalOptions& global) {
    SetUpHost(global);
    const std::string folder = HostPreferenceFolder(&TWorkbenchHost::Instance().Client());
    // Read the way the module reads them when it is loaded.
    TRouteOptions options(folder);
    const bool exists = std::filesystem::exists(options.FilePath());
    std::printf("Settings file:        %s\n", options.FilePath().c_str());
    std::printf("Exists:               %s\n", exists ? "yes" : "no (defaults in effect)");
    std::printf("TimeOut:              %d ms\n", options.GetTimeOut());
    std::printf("AvoidWiresPosition:   %d\n", options.GetAvoidWiresPosition());
    return kExitOk;
}

int RunOptions(const TGlobalOptions& global, int argc, char** argv) {
    SetUpHost(global);
    QApplication app(argc, argv);
    std::unique_ptr<TModule> module = LoadRoutingModule(global);
    try {
        module->Options();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Pathwick", QString::fromUtf8(e.what()));
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return kExitNotRouted;
    }
    return kExitOk;
}

} // namespace pathwick::workbench
