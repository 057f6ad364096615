// The main job: place wires on a sheet and let the module route them.
#include "workbench/cli/Commands.h"

#include "workbench/cli/DemoSheet.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/cli/OutputPaths.h"
#include "workbench/cli/PointText.h"
#include "workbench/cli/RouteJob.h"
#include "workbench/files/OutputFile.h"
#include "workbench/files/SheetFile.h"
#include "workbench/files/SheetSvg.h"
#include "workbench/model/RouteFailureText.h"
#include "workbench/model/WorkbenchHost.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace pathwick::workbench {

namespace {

// Sheet units per mil.
constexpr double kUnitsPerMil = 10000.0;

std::string PointString(TSheetPoint p) {
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

std::string SearchState(const TSegmentResult& s) {
    if (!s.HaveReport)
        return "";
    const TRouteReport& r = s.Report;
    if (!r.ForwardRan && !r.ReverseRan)
        return "no search";
    const bool complete =
        (!r.ForwardRan || r.ForwardCompleted) && (!r.ReverseRan || r.ReverseCompleted);
    return complete ? "searches complete" : "stopped by time-out";
}

void PrintSegment(const TSegmentResult& s) {
    std::printf("wire %d segment %d  %s -> %s  ", s.WireIndex + 1, s.SegmentIndex + 1,
                PointString(s.From).c_str(), PointString(s.To).c_str());
    if (!s.Error.empty())
        std::printf("ERROR: %s", s.Error.c_str());
    else if (s.Routed)
        std::printf("routed  %zu vertices  length %.0f mil  %d bends", s.Path.size(),
                    static_cast<double>(s.Length) / kUnitsPerMil, s.Bends);
    else if (s.HaveReport)
        std::printf("NOT ROUTED (beep): %s",
                    RouteFailureText(s.Report.Failure, s.From, s.To).c_str());
    else
        std::printf("NOT ROUTED (beep)");
    if (!s.Routed)
        std::printf("; placed %s, marked unrouted",
                    s.Placed.size() > 2 ? "with one corner" : "straight");
    std::printf("  %.1f ms  %s\n", s.Milliseconds, SearchState(s).c_str());
    std::fflush(stdout);
}

nlohmann::ordered_json PointJson(TSheetPoint p) {
    return {p.X, p.Y};
}

nlohmann::ordered_json ReportJson(const std::string& sheetPath, const TRouteJobResult& result) {
    nlohmann::ordered_json segments = nlohmann::ordered_json::array();
    for (const TSegmentResult& s : result.Segments) {
        nlohmann::ordered_json path = nlohmann::ordered_json::array();
        for (TSheetPoint p : s.Path)
            path.push_back(PointJson(p));
        nlohmann::ordered_json entry = {
            {"wire", s.WireIndex + 1},
            {"segment", s.SegmentIndex + 1},
            {"from", PointJson(s.From)},
            {"to", PointJson(s.To)},
            {"routed", s.Routed},
            {"path", path},
            {"length", s.Length},
            {"bends", s.Bends},
            {"milliseconds", s.Milliseconds},
        };
        if (!s.Routed) {
            nlohmann::ordered_json placed = nlohmann::ordered_json::array();
            for (TSheetPoint p : s.Placed)
                placed.push_back(PointJson(p));
            entry["placed"] = std::move(placed);
        }
        if (!s.Error.empty())
            entry["error"] = s.Error;
        if (s.HaveReport) {
            const TRouteReport& r = s.Report;
            entry["forward"] = {{"ran", r.ForwardRan != 0},
                                {"completed", r.ForwardCompleted != 0},
                                {"nodes", r.ForwardNodes},
                                {"rays", r.ForwardRays}};
            entry["reverse"] = {{"ran", r.ReverseRan != 0},
                                {"completed", r.ReverseCompleted != 0},
                                {"nodes", r.ReverseNodes},
                                {"rays", r.ReverseRays}};
            entry["reverseChosen"] = r.ReverseChosen != 0;
            if (!s.Routed) {
                entry["failure"] = RouteFailureName(r.Failure);
                entry["why"] = RouteFailureText(r.Failure, s.From, s.To);
            }
        }
        segments.push_back(std::move(entry));
    }
    return {{"sheet", sheetPath},
            {"segments", segments},
            {"routed", result.RoutedCount()},
            {"notRouted", result.FailedCount()}};
}

void CheckOnSheet(const TSheetDocument& sheet, TSheetPoint p) {
    if (p.X < 0 || p.Y < 0 || p.X > sheet.Width() || p.Y > sheet.Height())
        throw std::invalid_argument("point " + PointString(p) + " is off the sheet (0,0)-(" +
                                    std::to_string(sheet.Width()) + "," +
                                    std::to_string(sheet.Height()) + ")");
}

std::vector<TWirePoints> ParseWires(const std::vector<std::vector<std::string>>& texts,
                                    const TSheetDocument& sheet) {
    std::vector<TWirePoints> wires;
    for (const auto& wireText : texts) {
        if (wireText.size() < 2)
            throw std::invalid_argument("a --wire needs at least two points");
        TWirePoints points;
        for (const std::string& t : wireText) {
            points.push_back(ParsePointText(t));
            CheckOnSheet(sheet, points.back());
        }
        wires.push_back(std::move(points));
    }
    return wires;
}

std::vector<const TPolyline*> Highlighted(const TRouteJobResult& result) {
    std::vector<const TPolyline*> wires;
    for (const auto& w : result.Wires)
        wires.push_back(w.Get());
    return wires;
}

int Route(const TGlobalOptions& global, TSheetDocument& sheet, const std::string& sheetName,
          const std::vector<TWirePoints>& wires, const TRouteCommand& outputs) {
    std::unique_ptr<TModule> module = LoadRoutingModule(global);
    TRouteJobResult result = RunRouteJob(*module, sheet, wires, PrintSegment);
    std::printf("%d of %zu segments routed\n", result.RoutedCount(), result.Segments.size());
    if (!outputs.OutputPath.empty()) {
        SaveSheetFile(sheet, outputs.OutputPath);
        std::printf("wrote %s\n", outputs.OutputPath.c_str());
    }
    if (!outputs.SvgPath.empty()) {
        TSvgOptions svg;
        svg.Highlight = Highlighted(result);
        WriteOutputFile(outputs.SvgPath, RenderSheetSvg(sheet, svg));
        std::printf("wrote %s\n", outputs.SvgPath.c_str());
    }
    if (!outputs.ReportPath.empty()) {
        WriteOutputFile(outputs.ReportPath, ReportJson(sheetName, result).dump(2) + "\n");
        std::printf("wrote %s\n", outputs.ReportPath.c_str());
    }
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    for (const TSegmentResult& s : result.Segments)
        if (!s.Error.empty())
            return kExitBadInput;
    return result.FailedCount() == 0 ? kExitOk : kExitNotRouted;
}

} // namespace

int RunRoute(const TGlobalOptions& global, const TRouteCommand& command) {
    SetUpHost(global);
    HostRef<TSheetDocument> sheet;
    std::vector<TWirePoints> wires;
    try {
        CheckOutputPaths(command.SheetPath, {{"-o", command.OutputPath, true},
                                             {"--svg", command.SvgPath},
                                             {"--report", command.ReportPath}});
        sheet = LoadSheetFile(command.SheetPath);
        wires = ParseWires(command.WireTexts, *sheet);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return kExitBadInput;
    }
    return Route(global, *sheet, command.SheetPath, wires, command);
}

int RunDemo(const TGlobalOptions& global, const TDemoCommand& command) {
    SetUpHost(global);
    HostRef<TSheetDocument> sheet = ParseSheet(DemoSheetText(), "the embedded demo sheet");
    std::filesystem::create_directories(command.OutDir);
    TRouteCommand outputs;
    outputs.OutputPath = (std::filesystem::path(command.OutDir) / "demo-routed.json").string();
    outputs.SvgPath = (std::filesystem::path(command.OutDir) / "demo.svg").string();
    std::printf("Routing %zu wires on the demo sheet (%s)\n", DemoWires().size(), DemoSheetName());
    return Route(global, *sheet, DemoSheetName(), DemoWires(), outputs);
}

} // namespace pathwick::workbench
