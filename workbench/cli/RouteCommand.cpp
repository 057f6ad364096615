// The main job: place wires on a sheet and let the module route them.
#include "workbench/cli/Commands.h"

#include "workbench/cli/DemoSheet.h"
#include "workbench/cli/HostSetup.h"
#include "workbench/cli/OutputPaths.h"
#include "workbench/cli/RouteJob.h"
#include "workbench/cli/SheetSource.h"
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

void PrintSegment(const TSheetSource& source, const TSegmentResult& s) {
    std::printf("wire %d segment %d  %s -> %s  ", s.WireIndex + 1, s.SegmentIndex + 1,
                source.FormatPoint(s.From).c_str(), source.FormatPoint(s.To).c_str());
    if (!s.Error.empty())
        std::printf("ERROR: %s", s.Error.c_str());
    else if (s.Routed)
        std::printf("routed  %zu vertices  length %s  %d bends", s.Path.size(),
                    source.FormatLength(s.Length).c_str(), s.Bends);
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

nlohmann::ordered_json ReportJson(const TSheetSource& source, const std::string& sheetPath,
                                  const TRouteJobResult& result) {
    nlohmann::ordered_json segments = nlohmann::ordered_json::array();
    for (const TSegmentResult& s : result.Segments) {
        nlohmann::ordered_json path = nlohmann::ordered_json::array();
        for (TSheetPoint p : s.Path)
            path.push_back(source.PointJson(p));
        nlohmann::ordered_json entry = {
            {"wire", s.WireIndex + 1},
            {"segment", s.SegmentIndex + 1},
            {"from", source.PointJson(s.From)},
            {"to", source.PointJson(s.To)},
            {"routed", s.Routed},
            {"path", path},
            {"length", s.Length},
            {"bends", s.Bends},
            {"milliseconds", s.Milliseconds},
        };
        if (!s.Routed) {
            nlohmann::ordered_json placed = nlohmann::ordered_json::array();
            for (TSheetPoint p : s.Placed)
                placed.push_back(source.PointJson(p));
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
    // Points are given as the user gives them; lengths stay in sheet units.
    return {{"sheet", sheetPath},
            {"pointUnits", source.UnitsName()},
            {"segments", segments},
            {"routed", result.RoutedCount()},
            {"notRouted", result.FailedCount()}};
}

std::vector<TWirePoints> ParseWires(const std::vector<std::vector<std::string>>& texts,
                                    const TSheetSource& source) {
    std::vector<TWirePoints> wires;
    for (const auto& wireText : texts) {
        if (wireText.size() < 2)
            throw std::invalid_argument("a --wire needs at least two points");
        TWirePoints points;
        for (const std::string& t : wireText)
            points.push_back(source.ParsePoint(t));
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

int Route(const TGlobalOptions& global, const TSheetSource& source, const std::string& sheetName,
          const std::vector<TWirePoints>& wires, const TRouteCommand& outputs) {
    std::unique_ptr<TModule> module = LoadRoutingModule(global);
    TSheetDocument& sheet = source.Document();
    TRouteJobResult result = RunRouteJob(*module, sheet, wires,
                                         [&](const TSegmentResult& s) { PrintSegment(source, s); });
    std::printf("%d of %zu segments routed\n", result.RoutedCount(), result.Segments.size());
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    if (!outputs.OutputPath.empty()) {
        source.Save(outputs.OutputPath);
        std::printf("wrote %s\n", outputs.OutputPath.c_str());
    }
    if (!outputs.SvgPath.empty()) {
        TSvgOptions svg;
        svg.Highlight = Highlighted(result);
        WriteOutputFile(outputs.SvgPath, RenderSheetSvg(sheet, svg));
        std::printf("wrote %s\n", outputs.SvgPath.c_str());
    }
    if (!outputs.ReportPath.empty()) {
        WriteOutputFile(outputs.ReportPath, ReportJson(source, sheetName, result).dump(2) + "\n");
        std::printf("wrote %s\n", outputs.ReportPath.c_str());
    }
    for (const TSegmentResult& s : result.Segments)
        if (!s.Error.empty())
            return ExitBadInput;
    return result.FailedCount() == 0 ? ExitOk : ExitNotRouted;
}

} // namespace

int RunRoute(const TGlobalOptions& global, const TRouteCommand& command) {
    SetUpHost(global);
    TSheetSource source;
    std::vector<TWirePoints> wires;
    try {
        CheckOutputPaths(command.SheetPath, {{"-o", command.OutputPath, true},
                                             {"--svg", command.SvgPath},
                                             {"--report", command.ReportPath}});
        source = TSheetSource::Open(command.SheetPath);
        wires = ParseWires(command.WireTexts, source);
        // Refused before routing rather than after.
        if (IsKicadPath(command.OutputPath) && !source.Kicad())
            throw std::invalid_argument(command.OutputPath + ": only a sheet read from a KiCad "
                                                             "schematic can be written as one");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pathwick: %s\n", e.what());
        return ExitBadInput;
    }
    return Route(global, source, command.SheetPath, wires, command);
}

int RunDemo(const TGlobalOptions& global, const TDemoCommand& command) {
    SetUpHost(global);
    const TSheetSource source =
        TSheetSource::FromDocument(ParseSheet(DemoSheetText(), "the embedded demo sheet"));
    std::filesystem::create_directories(command.OutDir);
    TRouteCommand outputs;
    outputs.OutputPath = (std::filesystem::path(command.OutDir) / "demo-routed.json").string();
    outputs.SvgPath = (std::filesystem::path(command.OutDir) / "demo.svg").string();
    std::printf("Routing %zu wires on the demo sheet (%s)\n", DemoWires().size(), DemoSheetName());
    return Route(global, source, DemoSheetName(), DemoWires(), outputs);
}

} // namespace pathwick::workbench
