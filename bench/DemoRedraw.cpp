#include "bench/DemoRedraw.h"

#include "bench/BenchHost.h"

#include "workbench/kicad/KicadSheet.h"
#include "workbench/kicad/WireChains.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

namespace pathwick::bench {

namespace {

namespace wb = workbench;
std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The request once, in a session of its own on the sheet as read with the
// chain taken out.
TRequestResult Redraw(const std::string& text, const std::string& source,
                      const wb::kicad::TWireChain& chain, const TSpeedUps& speedUps,
                      bool countsPerObject, const TRouteRules& rules,
                      const TRouteOptions& settings) {
    const std::unique_ptr<wb::kicad::TKicadSheet> sheet =
        wb::kicad::TKicadSheet::FromText(text, source);
    wb::TSheetDocument& document = sheet->Document();
    std::vector<THostRef<wb::TSheetObject>> removed;
    for (std::size_t i : chain.Objects)
        removed.push_back(document.Objects()[i]);
    for (const THostRef<wb::TSheetObject>& object : removed)
        document.RemoveObject(*object);
    TBenchHost host(document, countsPerObject);
    host.StartSession(settings, speedUps, rules);
    return host.Route(chain.A, chain.B, settings);
}

nlohmann::ordered_json Figures(const TRequestResult& r) {
    return {{"wall_ms", r.Time.WallMs},
            {"cpu_ms", r.Time.CpuMs},
            {"routed", r.Routed},
            {"stopped_searches", r.Stopped},
            {"nodes", r.Nodes}};
}

} // namespace

nlohmann::ordered_json RunRedraws(const TRedrawOptions& redraw, const TRouteOptions& settings) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(redraw.Folder))
        if (entry.is_regular_file() && entry.path().extension() == ".kicad_sch")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    nlohmann::ordered_json listed = nlohmann::ordered_json::array();
    std::vector<double> newWall;
    int requests = 0, routedOld = 0, routedNew = 0, stoppedOld = 0, stoppedNew = 0;
    int compared = 0, differing = 0;
    for (const std::filesystem::path& file : files) {
        const std::string text = ReadFile(file);
        const std::string source = std::filesystem::relative(file, redraw.Folder).string();
        const std::vector<wb::kicad::TWireChain> chains =
            wb::kicad::WireChains(wb::kicad::TKicadSheet::FromText(text, source)->Document());
        for (const wb::kicad::TWireChain& chain : chains) {
            const int64_t span = std::llabs(int64_t{chain.A.X} - chain.B.X) +
                                 std::llabs(int64_t{chain.A.Y} - chain.B.Y);
            if (span < redraw.MinSpan || span > redraw.MaxSpan)
                continue;
            const TRequestResult o = Redraw(text, source, chain, redraw.Old,
                                            redraw.OldCountsPerObject, redraw.Rules, settings);
            const TRequestResult n =
                Redraw(text, source, chain, TSpeedUps{}, false, redraw.Rules, settings);
            ++requests;
            routedOld += o.Routed ? 1 : 0;
            routedNew += n.Routed ? 1 : 0;
            stoppedOld += o.Stopped;
            stoppedNew += n.Stopped;
            newWall.push_back(n.Time.WallMs);
            if (!o.Stopped && !n.Stopped) {
                ++compared;
                differing += o.Wire == n.Wire ? 0 : 1;
            }
            if (o.Stopped || n.Stopped || n.Time.WallMs > 100)
                listed.push_back({{"sheet", source},
                                  {"from", {chain.A.X, chain.A.Y}},
                                  {"to", {chain.B.X, chain.B.Y}},
                                  {"span", span},
                                  {"old", Figures(o)},
                                  {"new", Figures(n)}});
        }
    }
    std::sort(newWall.begin(), newWall.end());
    nlohmann::ordered_json report;
    report["folder"] = redraw.Folder;
    report["schematics"] = files.size();
    report["span"] = {redraw.MinSpan, redraw.MaxSpan};
    report["requests"] = requests;
    report["routed"] = {{"old", routedOld}, {"new", routedNew}};
    report["stopped_searches"] = {{"old", stoppedOld}, {"new", stoppedNew}};
    report["new_max_wall_ms"] = newWall.empty() ? 0.0 : newWall.back();
    report["routes"] = {{"compared", compared}, {"identical", differing == 0}};
    report["listed"] = listed;
    bool slowOnesFast = true;
    for (const auto& r : listed)
        slowOnesFast = slowOnesFast && r["new"]["stopped_searches"].get<int>() == 0 &&
                       r["new"]["wall_ms"].get<double>() < 100;
    report["targets"] = {
        {"demo re-draws: every search ends without the clock, each under 100 ms", slowOnesFast}};
    return report;
}

void PrintRedraws(const nlohmann::ordered_json& report) {
    std::printf(
        "demo re-draws: %zu schematics in %s, chains %d to %d units between their ends: "
        "%d requests, routed %d old / %d new, searches stopped by the clock %d old / "
        "%d new, slowest new %.1f ms; routes compared %d: %s\n",
        report["schematics"].get<std::size_t>(), report["folder"].get<std::string>().c_str(),
        report["span"][0].get<int>(), report["span"][1].get<int>(), report["requests"].get<int>(),
        report["routed"]["old"].get<int>(), report["routed"]["new"].get<int>(),
        report["stopped_searches"]["old"].get<int>(), report["stopped_searches"]["new"].get<int>(),
        report["new_max_wall_ms"].get<double>(), report["routes"]["compared"].get<int>(),
        report["routes"]["identical"].get<bool>() ? "identical" : "DIFFERENT");
    for (const auto& r : report["listed"]) {
        std::printf("  %s (%d, %d) -> (%d, %d):", r["sheet"].get<std::string>().c_str(),
                    r["from"][0].get<int>(), r["from"][1].get<int>(), r["to"][0].get<int>(),
                    r["to"][1].get<int>());
        for (const char* way : {"old", "new"}) {
            const auto& f = r[way];
            std::printf(" %s %.1f ms, %d stopped, %llu nodes, %s;", way, f["wall_ms"].get<double>(),
                        f["stopped_searches"].get<int>(),
                        static_cast<unsigned long long>(f["nodes"].get<uint64_t>()),
                        f["routed"].get<bool>() ? "routed" : "not routed");
        }
        std::printf("\n");
    }
}

} // namespace pathwick::bench
