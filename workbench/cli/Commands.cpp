// The commands that read a sheet or the settings without routing.
#include "workbench/cli/Commands.h"

#include "geometry/ObstacleDump.h"
#include "geometry/ObstacleTree.h"
#include "host/ClientLookup.h"
#include "options/RouteOptions.h"
#include "platform/system/UserFolders.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/cli/SheetSource.h"
#include "workbench/files/SheetFile.h"
#include "workbench/files/SheetSvg.h"
#include "workbench/kicad/Connections.h"
#include "workbench/model/WorkbenchHost.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace pathwick::workbench {

namespace {

TSheetSource OpenOrExplain(const std::string& path) {
    try {
        return TSheetSource::Open(path);
    } catch (const std::runtime_error& e) {
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
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return kExitBadInput;
    WriteTextFile(command.SvgPath, RenderSheetSvg(source.Document(), TSvgOptions{}));
    std::printf("wrote %s\n", command.SvgPath.c_str());
    return kExitOk;
}

int RunObstacles(const TGlobalOptions& global, const TObstaclesCommand& command) {
    SetUpHost(global);
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return kExitBadInput;
    TSheetDocument* sheet = &source.Document();
    TWorkbenchHost::Instance().SetActiveDocument(sheet);
    // The same build as a session's, with the margin the session passes.
    TObstacleTree tree;
    tree.BuildFromDocument(sheet, -1);
    std::fputs(DescribeObstacles(tree).c_str(), stdout);
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    return kExitOk;
}

int RunImport(const TGlobalOptions& global, const TImportCommand& command) {
    SetUpHost(global);
    const TSheetSource source = OpenOrExplain(command.SheetPath);
    if (!source)
        return kExitBadInput;
    const kicad::TKicadSheet* schematic = source.Kicad();
    if (!schematic) {
        std::fprintf(stderr, "pathwick: %s is not a KiCad schematic\n", command.SheetPath.c_str());
        return kExitBadInput;
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
