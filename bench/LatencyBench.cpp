#include "bench/LatencyBench.h"

#include "bench/BenchHost.h"
#include "bench/DemoRedraw.h"
#include "bench/SyntheticSheet.h"

#include "options/RouteOptions.h"
#include "platform/system/TickCount.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <unistd.h>

namespace pathwick::bench {

namespace {

namespace wb = workbench;
using TRequest = std::pair<TSheetPoint, TSheetPoint>;
constexpr int32_t M = 1'000'000;
constexpr const char* DistanceNames[] = {"neighbours", "quarter", "across"};

int64_t Distance(const TSheetPoint& a, const TSheetPoint& b) {
    return std::llabs(int64_t{a.X} - b.X) + std::llabs(int64_t{a.Y} - b.Y);
}

struct TClassedRequest {
    TRequest Ends;
    int Distance = 0; // index into DistanceNames
};

// From a seeded free pin to: the nearest free pin at least three grid steps
// away; the free pin whose distance is nearest to a quarter of the sheet's
// width plus height; the farthest free pin. The three distances take turns,
// and every pin is used once, as a user joins each free pin once; a small
// sheet runs out of pins before the requests are all made.
std::vector<TClassedRequest> MakeRequests(const TSyntheticSheet& sheet, int perDistance,
                                          uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<TSheetPoint> pins = sheet.FreePins;
    std::shuffle(pins.begin(), pins.end(), rng);
    std::vector<bool> used(pins.size(), false);
    const int64_t quarter = (int64_t{sheet.Document->Width()} + sheet.Document->Height()) / 4;
    std::vector<TClassedRequest> requests;
    std::size_t next = 0; // the next start pin, in shuffled order
    for (int i = 0; i < 3 * perDistance; ++i) {
        const int kind = i % 3;
        while (next < pins.size() && used[next])
            ++next;
        if (next == pins.size())
            break;
        const TSheetPoint a = pins[next];
        std::size_t best = pins.size();
        int64_t bestScore = 0;
        for (std::size_t j = 0; j < pins.size(); ++j) {
            const int64_t d = Distance(a, pins[j]);
            if (used[j] || d < 3 * M)
                continue;
            const int64_t score = kind == 0 ? d : kind == 1 ? std::llabs(d - quarter) : -d;
            if (best == pins.size() || score < bestScore) {
                best = j;
                bestScore = score;
            }
        }
        used[next] = true;
        if (best == pins.size())
            continue;
        used[best] = true;
        requests.push_back({{a, pins[best]}, kind});
    }
    return requests;
}

struct TWayRun {
    TTimes Start;
    std::vector<TRequestResult> Requests;
};

// One session on a fresh copy of the sheet, started as AutoWirer_Create
// starts it, then every request as the host makes it. The host's report of
// each request gives the search figures.
TWayRun RunWay(int symbols, uint32_t seed, const std::vector<TClassedRequest>& requests,
               const TSpeedUps& speedUps, bool countsPerObject, const TRouteRules& rules,
               const TRouteOptions& options) {
    TSyntheticSheet sheet = MakeSyntheticSheet(symbols, seed);
    TBenchHost host(*sheet.Document, countsPerObject);
    TWayRun run;
    run.Start = host.StartSession(options, speedUps, rules);
    for (const TClassedRequest& r : requests)
        run.Requests.push_back(host.Route(r.Ends.first, r.Ends.second, options));
    return run;
}

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty())
        return 0;
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

nlohmann::ordered_json Spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {{"median", Percentile(v, 0.5)},
            {"p90", Percentile(v, 0.9)},
            {"p99", Percentile(v, 0.99)},
            {"max", v.empty() ? 0.0 : v.back()}};
}

nlohmann::ordered_json Figures(const TWayRun& run, const std::vector<TClassedRequest>& requests) {
    std::vector<double> wall, cpu;
    uint64_t nodes = 0, rays = 0;
    int searches = 0, stopped = 0, routed = 0;
    double total = 0;
    for (const TRequestResult& r : run.Requests) {
        wall.push_back(r.Time.WallMs);
        cpu.push_back(r.Time.CpuMs);
        total += r.Time.WallMs;
        nodes += r.Nodes;
        rays += r.Rays;
        searches += r.Searches;
        stopped += r.Stopped;
        routed += r.Routed ? 1 : 0;
    }
    nlohmann::ordered_json byDistance;
    for (int kind = 0; kind < 3; ++kind) {
        std::vector<double> w;
        int found = 0;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (requests[i].Distance == kind) {
                w.push_back(run.Requests[i].Time.WallMs);
                found += run.Requests[i].Routed ? 1 : 0;
            }
        }
        nlohmann::ordered_json d = Spread(w);
        d["routed_share"] = w.empty() ? 0.0 : found / static_cast<double>(w.size());
        byDistance[DistanceNames[kind]] = std::move(d);
    }
    const double n = std::max<double>(1, static_cast<double>(run.Requests.size()));
    return {{"session_start_ms", {{"wall", run.Start.WallMs}, {"cpu", run.Start.CpuMs}}},
            {"wall_ms", Spread(wall)},
            {"cpu_ms", Spread(cpu)},
            {"total_wall_ms", total},
            {"stopped_share", searches ? static_cast<double>(stopped) / searches : 0.0},
            {"routed_share", static_cast<double>(routed) / n},
            {"nodes_per_request", static_cast<double>(nodes) / n},
            {"rays_per_node", nodes ? static_cast<double>(rays) / static_cast<double>(nodes) : 0.0},
            {"by_distance", byDistance}};
}

// Every request's wire must be the same both ways. Only a search that the
// clock stopped may end otherwise; from such a difference on, the two
// sessions hold different paths and are compared no further.
nlohmann::ordered_json CompareRoutes(const TWayRun& oldRun, const TWayRun& newRun) {
    std::size_t compared = 0;
    bool identical = true;
    for (std::size_t i = 0; i < newRun.Requests.size(); ++i) {
        const TRequestResult& o = oldRun.Requests[i];
        const TRequestResult& n = newRun.Requests[i];
        if (o.Wire != n.Wire || o.Routed != n.Routed) {
            identical = o.Stopped || n.Stopped;
            break;
        }
        ++compared;
    }
    return {{"compared", compared}, {"identical", identical}};
}

} // namespace

nlohmann::ordered_json RunLatency(const TLatencyOptions& options) {
    // A settings folder of its own without Router.ini, so that the file's
    // defaults apply; the options make the folder.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("pathwick-bench-settings-" + std::to_string(::getpid()));
    const TRouteOptions settings(folder.string());
    SetTickSource({}); // the real clock

    nlohmann::ordered_json report;
    report["timeout_ms"] = settings.GetTimeOut();
    report["rules"] = options.Rules.AnyMend() ? "mended" : "strict";
    report["requests_per_distance"] = options.RequestsPerDistance;
    report["sizes"] = nlohmann::ordered_json::array();
    bool identical = true;
    for (int symbols : options.Sizes) {
        const uint32_t seed = 4321u + static_cast<uint32_t>(symbols);
        const TSyntheticSheet sheet = MakeSyntheticSheet(symbols, seed);
        const std::vector<TClassedRequest> requests =
            MakeRequests(sheet, options.RequestsPerDistance, seed);
        const TWayRun oldRun = RunWay(symbols, seed, requests, options.Old,
                                      options.OldCountsPerObject, options.Rules, settings);
        const TWayRun newRun =
            RunWay(symbols, seed, requests, TSpeedUps{}, false, options.Rules, settings);
        nlohmann::ordered_json size;
        size["symbols"] = symbols;
        size["requests"] = requests.size();
        size["old"] = Figures(oldRun, requests);
        size["new"] = Figures(newRun, requests);
        size["speedup"] = size["old"]["total_wall_ms"].get<double>() /
                          std::max(1e-9, size["new"]["total_wall_ms"].get<double>());
        size["routes"] = CompareRoutes(oldRun, newRun);
        identical = identical && size["routes"]["identical"].get<bool>();
        report["sizes"].push_back(std::move(size));
    }
    nlohmann::ordered_json targets;
    bool raysOk = true, neverStopped = true;
    for (const auto& s : report["sizes"]) {
        raysOk = raysOk && s["new"]["rays_per_node"].get<double>() <= 3.5;
        neverStopped = neverStopped && s["new"]["stopped_share"].get<double>() == 0;
        const int n = s["symbols"].get<int>();
        if (n == 10000) {
            targets["10000 symbols: median request <= 3 ms"] =
                s["new"]["wall_ms"]["median"].get<double>() <= 3;
            targets["10000 symbols: p99 request <= 40 ms"] =
                s["new"]["wall_ms"]["p99"].get<double>() <= 40;
            targets["10000 symbols: session start <= 300 ms"] =
                s["new"]["session_start_ms"]["wall"].get<double>() <= 300;
        }
        if (n == 300 || n == 1000)
            targets[std::to_string(n) + " symbols: requests >= 1.5x faster"] =
                s["speedup"].get<double>() >= 1.5;
    }
    targets["rays per search node <= 3.5"] = raysOk;
    targets["no search stopped by the clock"] = neverStopped;
    if (!options.DemoFolder.empty()) {
        const TRedrawOptions redraw{options.DemoFolder,         options.DemoMinSpan,
                                    options.DemoMaxSpan,        options.Old,
                                    options.OldCountsPerObject, options.Rules};
        nlohmann::ordered_json demos = RunRedraws(redraw, settings);
        identical = identical && demos["routes"]["identical"].get<bool>();
        for (const auto& [name, met] : demos["targets"].items())
            targets[name] = met;
        report["demo_redraws"] = std::move(demos);
    }
    report["targets"] = targets;
    report["identical"] = identical;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return report;
}

void PrintLatencyTable(const nlohmann::ordered_json& report) {
    std::printf("latency: real clock, time-out %d ms, %d requests per distance, %s rules\n",
                report["timeout_ms"].get<int>(), report["requests_per_distance"].get<int>(),
                report["rules"].get<std::string>().c_str());
    std::printf("%-7s %-4s %9s %9s %8s %8s %8s %8s %8s %8s %7s %7s %9s %6s %8s\n", "symbols", "way",
                "start ms", "start cpu", "median", "p90", "p99", "max", "cpu med", "cpu p99",
                "stopped", "routed", "nodes/req", "rays/n", "speedup");
    for (const auto& s : report["sizes"]) {
        for (const char* way : {"old", "new"}) {
            const auto& f = s[way];
            std::printf("%-7d %-4s %9.1f %9.1f %8.2f %8.2f %8.2f %8.1f %8.2f %8.2f %6.1f%% %6.1f%% "
                        "%9.0f %6.2f",
                        s["symbols"].get<int>(), way, f["session_start_ms"]["wall"].get<double>(),
                        f["session_start_ms"]["cpu"].get<double>(),
                        f["wall_ms"]["median"].get<double>(), f["wall_ms"]["p90"].get<double>(),
                        f["wall_ms"]["p99"].get<double>(), f["wall_ms"]["max"].get<double>(),
                        f["cpu_ms"]["median"].get<double>(), f["cpu_ms"]["p99"].get<double>(),
                        100 * f["stopped_share"].get<double>(),
                        100 * f["routed_share"].get<double>(), f["nodes_per_request"].get<double>(),
                        f["rays_per_node"].get<double>());
            if (std::string(way) == "new")
                std::printf(" %7.2fx", s["speedup"].get<double>());
            std::printf("\n");
        }
        std::printf("        new path by distance (median / p99 ms, routed):");
        for (const auto& [name, d] : s["new"]["by_distance"].items())
            std::printf(" %s %.2f / %.2f, %.0f%%;", name.c_str(), d["median"].get<double>(),
                        d["p99"].get<double>(), 100 * d["routed_share"].get<double>());
        std::printf("\n        routes compared %zu of %zu: %s\n",
                    s["routes"]["compared"].get<std::size_t>(), s["requests"].get<std::size_t>(),
                    s["routes"]["identical"].get<bool>() ? "identical" : "DIFFERENT");
    }
    if (report.contains("demo_redraws"))
        PrintRedraws(report["demo_redraws"]);
    for (const auto& [name, met] : report["targets"].items())
        std::printf("target %-45s %s\n", name.c_str(), met.get<bool>() ? "met" : "MISSED");
}

} // namespace pathwick::bench
