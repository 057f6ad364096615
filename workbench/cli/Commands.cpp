// The commands that read a sheet or the settings without routing.
#include "workbench/cli/Commands.h"

#include "geometry/ObstacleDump.h"
#include "geometry/ObstacleTree.h"
#include "options/RouteOptions.h"
#include "platform/system/UserFolders.h"
#include "sheet/SheetExtent.h"
#include "sheet/SheetObstacles.h"
#include "workbench/cli/GuiApplication.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/cli/OutputPaths.h"
#include "workbench/cli/ReplacementWatch.h"
#include "workbench/cli/SheetSource.h"
#include "workbench/files/OutputFile.h"
#include "workbench/files/SheetFile.h"
#include "workbench/files/SheetSvg.h"
#include "workbench/kicad/Connections.h"
#include "workbench/model/WorkbenchHost.h"

#include <QApplication>
#include <QMessageBox>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace pathwick::workbench {

namespace {

// Whether the settings file is there to be read, in a user's words.
std::string SettingsFileState(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return "no file yet (defaults in effect)";
    if (status.type() == std::filesystem::file_type::directory)
        return "a directory is in its place, not a settings file (defaults in effect)";
    if (error)
        return "cannot be looked at: " + error.message() + " (defaults in effect)";
    if (status.type() != std::filesystem::file_type::regular)
        return "something other than a file is in its place (defaults in effect)";
    if (::access(path.c_str(), R_OK) != 0)
        return std::string("cannot be read: ") + std::strerror(errno) + " (defaults in effect)";
    return "read";
}

TSheetSource OpenOrExplain(const std::string& path) {
    try {
        return TSheetSource::Open(path);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return {};
    }
}

} // namespace

int RunRender(const TGlobalOptions& global, const TRenderCommand& command) {
    SetUpHost(global);
    CheckOutputPaths(command.SheetPath, {{"--svg", command.SvgPath}});
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return ExitBadInput;
    WriteOutputFile(command.SvgPath, RenderSheetSvg(source.Document(), TSvgOptions{}));
    std::printf("wrote %s\n", command.SvgPath.c_str());
    return ExitOk;
}

int RunObstacles(const TGlobalOptions& global, const TObstaclesCommand& command) {
    SetUpHost(global);
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return ExitBadInput;
    TSheetDocument* sheet = &source.Document();
    TWorkbenchHost::Instance().SetActiveDocument(sheet);
    // The same build as a session's, with the margin the session passes.
    TBoundingRect extent;
    SetToSheet(extent, &TWorkbenchHost::Instance().Service());
    TObstacleTree tree(extent);
    BuildFromDocument(tree, sheet, -1);
    std::fputs(DescribeObstacles(tree).c_str(), stdout);
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    return ExitOk;
}

int RunImport(const TGlobalOptions& global, const TImportCommand& command) {
    SetUpHost(global);
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return ExitBadInput;
    const kicad::TKicadSheet* schematic = source.Kicad();
    if (!schematic) {
        std::fprintf(stderr, "pathwick: %s is not a KiCad schematic\n", command.SheetPath.c_str());
        return ExitBadInput;
    }
    const kicad::TItemCounts& n = schematic->Counts();
    const kicad::TWireEndShare ends = kicad::MeasureWireEnds(source.Document());
    std::printf("%s: format %lld, sheet %d x %d units (1 unit = 1/20000 mil)\n",
                command.SheetPath.c_str(), static_cast<long long>(schematic->Version()),
                source.Document().Width(), source.Document().Height());
    std::printf("symbols %d, pins %d, sheets %d (pins %d), wires %d, buses %d, bus entries %d,\n"
                "labels %d, junctions %d, no-connects %d, texts %d, graphics %d\n",
                n.Symbols, n.Pins, n.Sheets, n.SheetPins, n.Wires, n.Buses, n.BusEntries, n.Labels,
                n.Junctions, n.NoConnects, n.Texts, n.Graphics);
    std::printf("wire ends on a pin or another wire's end: %d of %d (%.1f %%)\n", ends.Connected,
                ends.Ends, ends.Percent());
    if (!command.OutputPath.empty()) {
        SaveSheetFile(source.Document(), command.OutputPath);
        std::printf("wrote %s\n", command.OutputPath.c_str());
    }
    return ExitOk;
}

int RunSettings(const TGlobalOptions& global) {
    SetUpHost(global);
    const std::string folder = HostPreferenceFolder(&TWorkbenchHost::Instance().Client());
    // Read the way the module reads them when it is loaded.
    TRouteOptions options(folder);
    std::printf("Settings file:         %s\n", options.FilePath().c_str());
    std::printf("State:                 %s\n", SettingsFileState(options.FilePath()).c_str());
    std::printf("[Options]\n");
    std::printf("TimeOut:               %d (milliseconds)\n", options.GetTimeOut());
    std::printf("Avoid Wires Position:  %d (1 to 10)\n", options.GetAvoidWiresPosition());
    return ExitOk;
}

int RunOptions(const TGlobalOptions& global, int argc, char** argv) {
    SetUpHost(global);
    std::unique_ptr<QApplication> app = MakeGuiApplication(argc, argv);
    if (!app)
        return ExitBadInput;
    std::unique_ptr<TModule> module = LoadRoutingModule(global);
    // OK saves Router.ini, Cancel leaves it: the file tells which was pressed.
    const TReplacementWatch saved(
        TRouteOptions(HostPreferenceFolder(&TWorkbenchHost::Instance().Client())).FilePath());
    try {
        module->Options();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Pathwick", QString::fromUtf8(e.what()));
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return ExitBadInput;
    }
    return saved.Replaced() ? ExitOk : ExitCancelled;
}

} // namespace pathwick::workbench
