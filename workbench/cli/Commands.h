// The workbench's commands, one function each.
#pragma once

#include <string>
#include <vector>

namespace pathwick::workbench {

inline constexpr int ExitOk = 0;
inline constexpr int ExitNotRouted = 1;
inline constexpr int ExitCancelled = 1; // the options dialog was left with Cancel
inline constexpr int ExitBadInput = 2;

struct TGlobalOptions {
    std::string PrefsDir;   // empty: the host's default preference folder
    std::string ModulePath; // empty: libPathwick.so beside the executable
};

struct TRouteCommand {
    std::string SheetPath;
    std::vector<std::vector<std::string>> WireTexts;
    std::string OutputPath;
    std::string SvgPath;
    std::string ReportPath;
};

struct TRenderCommand {
    std::string SheetPath;
    std::string SvgPath;
};

struct TObstaclesCommand {
    std::string SheetPath;
};

struct TImportCommand {
    std::string SheetPath;  // a KiCad schematic
    std::string OutputPath; // empty: the summary only
};

struct TDemoCommand {
    std::string OutDir = ".";
};

struct TGuiCommand {
    std::string SheetPath;      // empty: the embedded demo sheet
    std::string ScreenshotPath; // set: place the demo wires, save a picture, exit
};

int RunRoute(const TGlobalOptions& global, const TRouteCommand& command);
int RunRender(const TGlobalOptions& global, const TRenderCommand& command);
int RunObstacles(const TGlobalOptions& global, const TObstaclesCommand& command);
int RunImport(const TGlobalOptions& global, const TImportCommand& command);
int RunSettings(const TGlobalOptions& global);
int RunOptions(const TGlobalOptions& global, int argc, char** argv);
int RunDemo(const TGlobalOptions& global, const TDemoCommand& command);
int RunGui(const TGlobalOptions& global, const TGuiCommand& command, int argc, char** argv);

} // namespace pathwick::workbench
