// pathwick: the workbench host. Loads the routing module as an editor does and
// drives it on sheet files, from the command line or in a window.
#include "workbench/cli/Commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

using namespace pathwick::workbench;

namespace {

// Global options that take a value; the value is not a command.
bool TakesValue(const std::string& option) {
    return option == "--prefs" || option == "--module";
}

// The first word that is neither an option nor an option's value, when it
// names no command.
std::optional<std::string> UnknownCommand(CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.starts_with('-')) {
            if (TakesValue(word))
                ++i;
            continue;
        }
        for (const CLI::App* command : app.get_subcommands({}))
            if (command->get_name() == word)
                return std::nullopt;
        return word;
    }
    return std::nullopt;
}

std::string CommandList(CLI::App& app) {
    std::string list;
    for (const CLI::App* command : app.get_subcommands({}))
        list += (list.empty() ? "" : ", ") + command->get_name();
    return list + " (pathwick --help tells more)";
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"pathwick - the workbench host of the Pathwick point-to-point wiring module.\n"
                 "It loads libPathwick.so as a schematic editor would and lets you route wires\n"
                 "on sheet files: Pathwick sheets (JSON, see docs/sheet-format.md) and KiCad\n"
                 "schematics (.kicad_sch of KiCad 6 to 9, see docs/kicad.md).",
                 "pathwick"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show the help of every command");

    TGlobalOptions global;
    app.add_option("--prefs", global.PrefsDir,
                   "Host preference folder that holds Router.ini\n"
                   "(default: $XDG_CONFIG_HOME/Vorelline or ~/.config/Vorelline)");
    app.add_option("--module", global.ModulePath,
                   "The routing module to load (default: libPathwick.so beside pathwick)");

    TRouteCommand route;
    CLI::App* routeCmd = app.add_subcommand(
        "route", "Place wires as a user would; every segment is routed by the module, and one\n"
                 "it cannot route is placed with one corner and marked unrouted. Outputs may\n"
                 "not name the input sheet (but -o may) or each other.\n"
                 "Exit status: 0 all segments routed, 1 some not routed, 2 bad input.");
    routeCmd->add_option("sheet", route.SheetPath, "Sheet file (JSON or .kicad_sch)")->required();
    routeCmd
        ->add_option("--wire", route.WireTexts,
                     "A wire: its start point and the end of each segment, as X,Y.\n"
                     "On a JSON sheet in sheet units, y up (100 mil = 1000000);\n"
                     "on a KiCad schematic in millimetres as the editor shows them, y down\n"
                     "(e.g. --wire 101.6,50.8 127,76.2). Repeat --wire for more wires.")
        ->expected(2, -1)
        ->required();
    routeCmd->add_option("-o,--output", route.OutputPath,
                         "Write the routed sheet here: a .kicad_sch name writes the KiCad file\n"
                         "back with the new wires and junctions, any other name a JSON sheet");
    routeCmd->add_option("--svg", route.SvgPath, "Write a picture with the new wires highlighted");
    routeCmd->add_option("--report", route.ReportPath, "Write a machine-readable report (JSON)");

    TRenderCommand render;
    CLI::App* renderCmd = app.add_subcommand("render", "Draw a sheet as an SVG picture.");
    renderCmd->add_option("sheet", render.SheetPath, "Sheet file (JSON or .kicad_sch)")->required();
    renderCmd->add_option("--svg", render.SvgPath, "Picture to write")->required();

    TObstaclesCommand obstacles;
    CLI::App* obstaclesCmd = app.add_subcommand(
        "obstacles", "List the obstacles the router avoids on a sheet, in the order its tree\n"
                     "holds them (kind, rectangle as Left Bottom Right Top).");
    obstaclesCmd->add_option("sheet", obstacles.SheetPath, "Sheet file (JSON or .kicad_sch)")
        ->required();

    TImportCommand import;
    CLI::App* importCmd = app.add_subcommand(
        "import", "Read a KiCad schematic, print what it holds and how many wire ends land on\n"
                  "a pin or another wire's end, and write it as a Pathwick sheet (JSON).");
    importCmd->add_option("schematic", import.SheetPath, "KiCad schematic (.kicad_sch)")
        ->required();
    importCmd->add_option("-o,--output", import.OutputPath, "Pathwick sheet (JSON) to write");

    CLI::App* settingsCmd = app.add_subcommand(
        "settings", "Show where Router.ini lives, whether it exists, and the values in effect.");

    CLI::App* optionsCmd = app.add_subcommand(
        "options", "Open the \"Point to Point Router Options\" dialog (needs a display).\n"
                   "Exit status: 0 OK (Router.ini saved), 1 Cancel (nothing saved),\n"
                   "2 no display or the file could not be written.");

    TDemoCommand demo;
    CLI::App* demoCmd = app.add_subcommand(
        "demo", "Route a fixed set of wires on the embedded example sheet, print a summary\n"
                "and write demo.svg (and demo-routed.json).");
    demoCmd->add_option("--out", demo.OutDir, "Folder for demo.svg and demo-routed.json")
        ->capture_default_str();

    TGuiCommand gui;
    CLI::App* guiCmd = app.add_subcommand(
        "gui", "Open a sheet in a window (needs a display) and place wires with the mouse;\n"
               "every segment is routed by the module as it is placed.");
    guiCmd->add_option("sheet", gui.SheetPath,
                       "Sheet file (JSON or .kicad_sch); default: the embedded demo");
    guiCmd->add_option(
        "--screenshot", gui.ScreenshotPath,
        "Save a PNG of the window here and exit (draws offscreen when there is\n"
        "no display); on the demo sheet the demo's wires are placed by clicks first");

    if (const std::optional<std::string> unknown = UnknownCommand(app, argc, argv)) {
        std::fprintf(stderr, "pathwick: unknown command '%s'\ncommands: %s\n", unknown->c_str(),
                     CommandList(app).c_str());
        return ExitBadInput;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : ExitBadInput;
    }

    try {
        if (*routeCmd)
            return RunRoute(global, route);
        if (*renderCmd)
            return RunRender(global, render);
        if (*obstaclesCmd)
            return RunObstacles(global, obstacles);
        if (*importCmd)
            return RunImport(global, import);
        if (*settingsCmd)
            return RunSettings(global);
        if (*optionsCmd)
            return RunOptions(global, argc, argv);
        if (*demoCmd)
            return RunDemo(global, demo);
        if (*guiCmd)
            return RunGui(global, gui, argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return ExitBadInput;
    }
    return ExitBadInput;
}
