// pathwick-bench: clipped rays, whole requests and tree memory, each for the
// fast and the reference clipping in the same run, on synthetic sheets and
// the example sheets; the loading of large sheet files; and the latency of
// requests through a session, the old path against the new one.
#include "bench/AllocationCounter.h"
#include "bench/LatencyBench.h"
#include "bench/SyntheticSheet.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"
#include "host/FreeWire.h"
#include "host/HostCall.h"
#include "host/PolygonAccess.h"
#include "platform/system/TickCount.h"
#include "router/EdgeRouter.h"
#include "sheet/SheetObstacles.h"
#include "workbench/files/SheetFile.h"
#include "workbench/model/WorkbenchHost.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace pathwick::bench {
namespace {

namespace wb = workbench;
using TClock = std::chrono::steady_clock;
using TRequest = std::pair<TSheetPoint, TSheetPoint>;
constexpr int32_t M = 1'000'000;

double Seconds(TClock::time_point since) {
    return std::chrono::duration<double>(TClock::now() - since).count();
}

struct TSheetCase {
    std::string Name;
    int Symbols = 0; // 0 for an example sheet
    THostRef<wb::TSheetDocument> Document;
    std::vector<TRequest> Requests;
    bool RouteRequests = true;
};

std::unique_ptr<TObstacleTree> BuildTree(TSheetCase& sheet, TClipMethod method) {
    wb::TSheetDocument& document = *sheet.Document;
    auto tree =
        std::make_unique<TObstacleTree>(TBoundingRect(0, 0, document.Width(), document.Height()));
    BuildFromDocument(*tree, &document, 0);
    tree->Walks.Clip = method;
    return tree;
}

// Requests for a sheet without known free pins: wire ends paired with the
// nearest other wire end at least three grid steps away.
std::vector<TRequest> RequestsFromWireEnds(const TObstacleTree& tree) {
    std::vector<TSheetPoint> ends;
    tree.ForEachLeaf([&](const TObstacle& n) {
        if (n.Kind == kinds::Wire) {
            ends.push_back({n.Bounds.Left, n.Bounds.Bottom});
            ends.push_back({n.Bounds.Right, n.Bounds.Top});
        }
    });
    std::vector<TRequest> requests;
    for (std::size_t i = 0; i < ends.size(); i += 3) {
        std::size_t best = i;
        int64_t bestD = 0;
        for (std::size_t j = 0; j < ends.size(); ++j) {
            const int64_t d =
                std::abs(int64_t{ends[i].X} - ends[j].X) + std::abs(int64_t{ends[i].Y} - ends[j].Y);
            if (d >= 3 * M && (best == i || d < bestD)) {
                best = j;
                bestD = d;
            }
        }
        if (best != i)
            requests.emplace_back(ends[i], ends[best]);
    }
    return requests;
}

// Rays like a search's: from pin ends, wire ends and grid points near them,
// with the target set to a request's end point.
struct TRay {
    TDirection Dir;
    TSheetPoint From;
    TSheetPoint Target;
};

std::vector<TRay> MakeRays(const TObstacleTree& tree, const std::vector<TRequest>& requests,
                           int count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<TSheetPoint> points;
    for (const TRequest& r : requests) {
        points.push_back(r.first);
        points.push_back(r.second);
    }
    tree.ForEachLeaf([&](const TObstacle& n) {
        if (n.Kind != KindSheetFrame && n.Kind != KindGuideLine)
            points.push_back({n.Bounds.Left, n.Bounds.Top});
    });
    const int32_t w = tree.Sheet.Right, h = tree.Sheet.Top;
    std::vector<TRay> rays;
    for (int i = 0; i < count; ++i) {
        TSheetPoint p = points[rng() % points.size()];
        if (i % 2 == 1) { // a grid point a few steps away
            p.X = std::clamp<int32_t>(p.X + static_cast<int32_t>(rng() % 9) * M - 4 * M, 0, w);
            p.Y = std::clamp<int32_t>(p.Y + static_cast<int32_t>(rng() % 9) * M - 4 * M, 0, h);
        }
        const TSheetPoint target =
            requests.empty() ? TSheetPoint{-1, -1} : requests[rng() % requests.size()].second;
        rays.push_back({static_cast<TDirection>(rng() % 4), p, target});
    }
    return rays;
}

struct TRayResult {
    double PerSecond = 0;
    uint64_t Checksum = 0;
};

TRayResult TimeRays(TObstacleTree& tree, const std::vector<TRay>& rays, double minSeconds) {
    TRayResult result;
    uint64_t cast = 0;
    const TClock::time_point start = TClock::now();
    double elapsed = 0;
    do {
        uint64_t sum = 0;
        for (const TRay& r : rays) {
            tree.Target = r.Target;
            const TEdge e = tree.CastRay(r.Dir, r.From, SearchRay);
            sum = sum * 31 + static_cast<uint32_t>(e.StartPoint.X) * 7 +
                  static_cast<uint32_t>(e.EndPoint.Y) + static_cast<uint32_t>(e.StopWeight) +
                  (e.CrossesWire ? 1u : 0u) + static_cast<uint32_t>(e.EndPoint.X) * 3 +
                  static_cast<uint32_t>(e.StartPoint.Y) * 5;
        }
        result.Checksum = sum;
        cast += rays.size();
        elapsed = Seconds(start);
    } while (elapsed < minSeconds);
    result.PerSecond = static_cast<double>(cast) / elapsed;
    return result;
}

struct TRequestRun {
    double Seconds = 0;
    uint64_t Nodes = 0;
    int Found = 0;
    std::size_t Allocations = 0;
    std::vector<std::string> Lines;
    std::vector<std::vector<TSheetPoint>> Paths;
};

TRequestRun RouteAll(TObstacleTree& tree, const std::vector<TRequest>& requests,
                     const TRouterSettings& settings) {
    TRequestRun run;
    const TClock::time_point start = TClock::now();
    for (const TRequest& r : requests) {
        TEdgeRouter router(r.first, r.second, settings, tree, tree.Sheet,
                           [] { return NewFreeWire(wb::TWorkbenchHost::Instance().Service()); });
        THostRef<ISch_Wire> wire = router.FindPath();
        run.Nodes += router.Stats().TotalNodes();
        run.Lines.push_back(router.Stats().Forward.Line() + "|" + router.Stats().Reverse.Line());
        run.Paths.push_back(wire ? Vertices(wire.Get()) : std::vector<TSheetPoint>{});
        run.Found += wire ? 1 : 0;
    }
    run.Seconds = Seconds(start);
    return run;
}

// Bytes the tree allocates, rebuilt leaf by leaf from an existing tree's leaves.
nlohmann::ordered_json TreeMemory(const TObstacleTree& built) {
    std::vector<std::pair<TBoundingRect, int32_t>> leaves;
    built.ForEachLeaf([&](const TObstacle& n) { leaves.emplace_back(n.Bounds, n.Kind); });
    const std::size_t before = LiveHeapBytes();
    ResetPeakHeapBytes();
    std::size_t held = 0;
    {
        auto tree = std::make_unique<TObstacleTree>();
        for (const auto& [rect, kind] : leaves)
            tree->AddRect(rect, kind);
        // One ray so that the walk's stack is in the count too.
        tree->CastRay(TDirection::R, {0, 0}, SearchRay);
        held = LiveHeapBytes() - before;
    }
    const std::size_t peak = PeakHeapBytes() - before;
    const double n = static_cast<double>(leaves.size());
    return {{"obstacles", leaves.size()},
            {"bytes_per_obstacle", static_cast<double>(held) / n},
            {"beyond_leaf_per_obstacle",
             (static_cast<double>(held) - n * static_cast<double>(sizeof(TObstacle))) / n},
            {"peak_beyond_leaf_per_obstacle",
             (static_cast<double>(peak) - n * static_cast<double>(sizeof(TObstacle))) / n}};
}

nlohmann::ordered_json RunSheet(TSheetCase& sheet, const TRouterSettings& settings, int rayCount,
                                int requestCount, double minSeconds) {
    nlohmann::ordered_json out;
    out["sheet"] = sheet.Name;
    if (sheet.Symbols)
        out["symbols"] = sheet.Symbols;

    std::unique_ptr<TObstacleTree> fast = BuildTree(sheet, TClipMethod::Fast);
    std::unique_ptr<TObstacleTree> reference = BuildTree(sheet, TClipMethod::Reference);
    if (sheet.Requests.empty())
        sheet.Requests = RequestsFromWireEnds(*fast);
    out["obstacles"] = fast->LeafCount();
    out["memory"] = TreeMemory(*fast);

    // Rays on the trees as a search sees them: with the guide lines and marks
    // of a few requests in place.
    const std::size_t prepared = std::min<std::size_t>(8, sheet.Requests.size());
    for (TObstacleTree* tree : {fast.get(), reference.get()}) {
        for (std::size_t i = 0; i < prepared; ++i) {
            for (const TSheetPoint& p : {sheet.Requests[i].first, sheet.Requests[i].second}) {
                for (TDirection d : MoveDirections) {
                    const TEdge run = tree->CastRay(d, p, UnclippedRay);
                    if (!SamePoint(run.StartPoint, run.EndPoint))
                        tree->AddGuideLine(run.StartPoint, run.EndPoint);
                }
                tree->MarkTouching(p);
            }
        }
    }
    const std::vector<TRay> rays = MakeRays(*fast, sheet.Requests, rayCount, 7);
    const TRayResult fr = TimeRays(*fast, rays, minSeconds);
    const TRayResult rr = TimeRays(*reference, rays, minSeconds);
    out["rays"] = {{"distinct", rays.size()},
                   {"fast_per_s", fr.PerSecond},
                   {"reference_per_s", rr.PerSecond},
                   {"ratio", fr.PerSecond / rr.PerSecond},
                   {"identical", fr.Checksum == rr.Checksum}};

    if (sheet.RouteRequests && requestCount > 0) {
        std::vector<TRequest> requests(
            sheet.Requests.begin(),
            sheet.Requests.begin() +
                std::min<std::ptrdiff_t>(requestCount,
                                         static_cast<std::ptrdiff_t>(sheet.Requests.size())));
        // Each repetition on a fresh tree, so that every run starts from the
        // same guide lines; the fastest repetition counts. Building the tree
        // is not timed.
        auto best = [&](TClipMethod method) {
            TRequestRun bestRun;
            double total = 0;
            for (int rep = 0; rep < 3 || (total < minSeconds && rep < 50); ++rep) {
                std::unique_ptr<TObstacleTree> tree = BuildTree(sheet, method);
                const std::size_t allocations = HeapAllocations();
                TRequestRun run = RouteAll(*tree, requests, settings);
                run.Allocations = HeapAllocations() - allocations;
                total += run.Seconds;
                if (rep == 0 || run.Seconds < bestRun.Seconds)
                    bestRun = std::move(run);
            }
            return bestRun;
        };
        const TRequestRun f = best(TClipMethod::Fast);
        const TRequestRun r = best(TClipMethod::Reference);
        const double n = static_cast<double>(requests.size());
        out["requests"] = {
            {"count", requests.size()},
            {"found", f.Found},
            {"fast_ms_per_request", 1000.0 * f.Seconds / n},
            {"reference_ms_per_request", 1000.0 * r.Seconds / n},
            {"ratio", r.Seconds / f.Seconds},
            {"search_nodes", f.Nodes},
            {"heap_allocations_per_node",
             static_cast<double>(f.Allocations) / static_cast<double>(f.Nodes)},
            {"fast_nodes_per_s", static_cast<double>(f.Nodes) / f.Seconds},
            {"reference_nodes_per_s", static_cast<double>(r.Nodes) / r.Seconds},
            {"identical", f.Lines == r.Lines && f.Paths == r.Paths && f.Nodes == r.Nodes}};
    }
    return out;
}

// Sheet text of `count` top-level objects: symbols with a body, two pins and
// a designator, wires, net labels and junctions in turn, on a 1 000 000 grid.
std::string SheetText(std::size_t count) {
    std::string text = "{\"format\": \"pathwick-sheet\", \"width\": 2000000000, "
                       "\"height\": 2000000000, \"objects\": [\n";
    for (std::size_t i = 0; i < count; ++i) {
        const std::string x = std::to_string(static_cast<int64_t>(i % 1000) * 2 * M);
        const std::string y = std::to_string(static_cast<int64_t>(i / 1000) * 2 * M);
        const std::string at = "[" + x + ", " + y + "]";
        if (i > 0)
            text += ",\n";
        switch (i % 4) {
        case 0:
            text +=
                "{\"kind\": \"symbol\", \"children\": [{\"kind\": \"rectangle\", \"rect\": [" + x +
                ", " + y + ", " + x + ", " + y + "]}, {\"kind\": \"pin\", \"text\": \"IN\", " +
                "\"anchor\": " + at + ", \"orientation\": 0, \"length\": 1000000}, {\"kind\": " +
                "\"pin\", \"text\": \"OUT\", \"anchor\": " + at +
                ", \"orientation\": 2, \"length\": 1000000}], \"label\": {\"kind\": \"label\", " +
                "\"text\": \"U" + std::to_string(i) + "\", \"rect\": [" + x + ", " + y + ", " + x +
                ", " + y + "]}}";
            break;
        case 1:
            text += "{\"kind\": \"wire\", \"vertices\": [" + at + ", [" + x + ", 0]]}";
            break;
        case 2:
            text += "{\"kind\": \"label\", \"text\": \"NET" + std::to_string(i) +
                    "\", \"rect\": [" + x + ", " + y + ", " + x + ", " + y + "]}";
            break;
        default:
            text += "{\"kind\": \"junction\", \"anchor\": " + at + "}";
            break;
        }
    }
    return text + "\n]}\n";
}

// Loading sheet files: a large sheet read whole, and a file with one object
// too many refused, each from a file as `pathwick` reads it.
nlohmann::ordered_json LoadingReport(std::size_t objects) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("pathwick-bench-load-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string big = (folder / "big.json").string();
    const std::string over = (folder / "over.json").string();
    std::ofstream(big, std::ios::binary) << SheetText(objects);
    std::string overText = "{\"width\": 1000, \"height\": 1000, \"objects\": [";
    for (std::size_t i = 0; i <= wb::MaxSheetObjects; ++i)
        overText += i ? ", {\"kind\": \"junction\", \"anchor\": [1, 1]}"
                      : "{\"kind\": \"junction\", \"anchor\": [1, 1]}";
    std::ofstream(over, std::ios::binary) << overText << "]}\n";

    // Wall-clock and processor time: on a busy machine the first overstates
    // what a user waits for on an idle one.
    const auto cpuSeconds = [](std::clock_t since) {
        return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
    };
    nlohmann::ordered_json out;
    TClock::time_point start = TClock::now();
    std::clock_t cpu = std::clock();
    const THostRef<wb::TSheetDocument> sheet = wb::LoadSheetFile(big);
    out["sheet"] = {{"objects", sheet->Objects().size()},
                    {"bytes", std::filesystem::file_size(big)},
                    {"seconds", Seconds(start)},
                    {"cpu_seconds", cpuSeconds(cpu)}};
    std::string refusal;
    start = TClock::now();
    cpu = std::clock();
    try {
        wb::LoadSheetFile(over);
    } catch (const wb::ESheetFileError& e) {
        refusal = e.what();
    }
    out["refusal"] = {{"objects", wb::MaxSheetObjects + 1},
                      {"bytes", std::filesystem::file_size(over)},
                      {"seconds", Seconds(start)},
                      {"cpu_seconds", cpuSeconds(cpu)},
                      {"message", refusal}};
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    out["targets"] = {{"loading " + std::to_string(objects) + " objects < 1 s",
                       out["sheet"]["seconds"].get<double>() < 1.0},
                      {"1000001 objects refused < 3 s with the documented message",
                       out["refusal"]["seconds"].get<double>() < 3.0 &&
                           refusal.find("more than 1000000 objects") != std::string::npos}};
    return out;
}

std::string CpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    }
    return "unknown";
}

void PrintTargets(const nlohmann::ordered_json& targets) {
    for (const auto& [name, met] : targets.items())
        std::printf("target %-45s %s\n", name.c_str(), met.get<bool>() ? "met" : "MISSED");
}

void PrintTable(const nlohmann::ordered_json& report) {
    std::printf("%-16s %8s %12s %12s %7s %10s %10s %7s %12s %8s\n", "sheet", "leaves",
                "rays/s fast", "rays/s ref", "ratio", "ms/req fast", "ms/req ref", "ratio",
                "nodes/s fast", "B/obst");
    for (const auto& s : report["sheets"]) {
        const auto& rays = s["rays"];
        std::printf("%-16s %8zu %12.0f %12.0f %7.1f", s["sheet"].get<std::string>().c_str(),
                    s["obstacles"].get<std::size_t>(), rays["fast_per_s"].get<double>(),
                    rays["reference_per_s"].get<double>(), rays["ratio"].get<double>());
        if (s.contains("requests")) {
            const auto& q = s["requests"];
            std::printf(" %10.2f %10.2f %7.1f %12.0f", q["fast_ms_per_request"].get<double>(),
                        q["reference_ms_per_request"].get<double>(), q["ratio"].get<double>(),
                        q["fast_nodes_per_s"].get<double>());
        } else {
            std::printf(" %10s %10s %7s %12s", "-", "-", "-", "-");
        }
        std::printf(" %8.1f\n", s["memory"]["beyond_leaf_per_obstacle"].get<double>());
    }
    PrintTargets(report["targets"]);
}

void PrintLoading(const nlohmann::ordered_json& l) {
    std::printf("loading: %zu objects (%zu bytes) in %.3f s (%.3f s CPU); %zu objects "
                "refused in %.3f s (%.3f s CPU): %s\n",
                l["sheet"]["objects"].get<std::size_t>(), l["sheet"]["bytes"].get<std::size_t>(),
                l["sheet"]["seconds"].get<double>(), l["sheet"]["cpu_seconds"].get<double>(),
                l["refusal"]["objects"].get<std::size_t>(), l["refusal"]["seconds"].get<double>(),
                l["refusal"]["cpu_seconds"].get<double>(),
                l["refusal"]["message"].get<std::string>().c_str());
    PrintTargets(l["targets"]);
}

// Rays, whole requests with the clock held, and tree memory, for the fast and
// the reference clipping, on the synthetic sheets of the given sizes and the
// example sheets.
nlohmann::ordered_json RunClipping(const std::vector<int>& sizes, int requestSymbols, int requests,
                                   int rays, double minSeconds, bool examples) {
    // The clock is held: every search runs to its end.
    SetTickSource([] { return 1000u; });
    // The settings file's defaults.
    const TRouterSettings settings{3000, 1};

    std::vector<TSheetCase> sheets;
    for (int n : sizes) {
        TSyntheticSheet s = MakeSyntheticSheet(n, 1234u + static_cast<uint32_t>(n));
        sheets.push_back({"synthetic-" + std::to_string(n), n, s.Document, s.Requests,
                          n == requestSymbols || n <= 100});
    }
    if (examples) {
        for (const char* name : {"amplifier", "data-bus", "power-supply"}) {
            const std::string path =
                std::string(PATHWICK_SOURCE_DIR) + "/examples/" + name + ".json";
            sheets.push_back({name, 0, wb::LoadSheetFile(path), {}, true});
        }
    }

    nlohmann::ordered_json report;
    report["sheets"] = nlohmann::ordered_json::array();
    bool identical = true;
    for (TSheetCase& s : sheets) {
        nlohmann::ordered_json r = RunSheet(s, settings, rays, requests, minSeconds);
        identical = identical && r["rays"]["identical"].get<bool>() &&
                    (!r.contains("requests") || r["requests"]["identical"].get<bool>());
        report["sheets"].push_back(std::move(r));
    }
    auto find = [&](int symbols) -> const nlohmann::ordered_json* {
        for (const auto& s : report["sheets"])
            if (s.contains("symbols") && s["symbols"].get<int>() == symbols)
                return &s;
        return nullptr;
    };
    nlohmann::ordered_json targets;
    if (const auto* s = find(10000))
        targets["rays at 10000 symbols >= 20x"] = s->at("rays")["ratio"].get<double>() >= 20;
    if (const auto* s = find(1000)) {
        targets["rays at 1000 symbols >= 3x"] = s->at("rays")["ratio"].get<double>() >= 3;
        if (s->contains("requests"))
            targets["requests at 1000 symbols >= 10x"] =
                s->at("requests")["ratio"].get<double>() >= 10;
    }
    if (const auto* s = find(100))
        targets["rays at 100 symbols not slower"] = s->at("rays")["ratio"].get<double>() >= 1;
    // On the synthetic sheets: the example sheets are so small that the
    // tree's fixed storage (its first node blocks) dominates their figure.
    bool memoryOk = true;
    for (const auto& s : report["sheets"])
        if (s.contains("symbols"))
            memoryOk = memoryOk && s["memory"]["beyond_leaf_per_obstacle"].get<double>() <= 64;
    targets["memory <= 64 bytes per obstacle beyond the leaf"] = memoryOk;
    report["targets"] = targets;
    report["identical"] = identical;

    SetTickSource({});
    return report;
}

// The speed-ups that the latency section's old path switches off, by name.
void SetOldPath(TLatencyOptions& latency, const std::vector<std::string>& names) {
    latency.Old = TSpeedUps{};
    latency.OldCountsPerObject = false;
    for (const std::string& name : names) {
        if (name == "probe-rays")
            latency.Old.Search.ReuseProbeRays = false;
        else if (name == "kept-rays")
            latency.Old.Search.RememberRays = false;
        else if (name == "marks")
            latency.Old.Walks.PrunedMarking = false;
        else if (name == "revisits")
            latency.Old.Search.PruneRevisits = false;
        else if (name == "faults")
            latency.OldCountsPerObject = true;
    }
}

int Run(int argc, char** argv) {
    CLI::App app{"Fast against reference ray clipping, rays and whole requests; request latency "
                 "through a session, the old path against the new one"};
    bool json = false;
    bool clipping = true;
    bool latencySection = true;
    std::size_t loadObjects = 100000;
    std::vector<int> sizes{100, 1000, 10000};
    int requestSymbols = 1000;
    int requests = 24;
    int rays = 4000;
    double minSeconds = 0.3;
    bool examples = true;
    TLatencyOptions latency;
    const std::vector<std::string> speedUps{"probe-rays", "kept-rays", "marks", "revisits",
                                            "faults"};
    std::vector<std::string> oldPath = speedUps;
    app.add_flag("--json", json, "print the report as JSON");
    app.add_flag("--clipping,!--no-clipping", clipping, "run the clipping and request sections");
    app.add_option("--load-objects", loadObjects,
                   "objects of the sheet whose loading is timed (0: no loading section)");
    app.add_flag("--latency,!--no-latency", latencySection, "run the latency section");
    app.add_option("--sizes", sizes, "symbol counts of the clipping section's synthetic sheets")
        ->delimiter(',');
    app.add_option("--request-symbols", requestSymbols,
                   "the synthetic sheet (by symbol count) on which whole requests are timed");
    app.add_option("--requests", requests, "requests routed per sheet");
    app.add_option("--rays", rays, "distinct rays per sheet");
    app.add_option("--min-seconds", minSeconds, "least time per ray measurement");
    app.add_flag("--examples,!--no-examples", examples, "also run the example sheets");
    app.add_option("--latency-sizes", latency.Sizes, "symbol counts of the latency section")
        ->delimiter(',');
    latency.DemoFolder = "/usr/share/kicad/demos";
    app.add_option("--demos", latency.DemoFolder,
                   "KiCad schematics for the latency section's re-draw requests, searched with "
                   "their subfolders (an empty value or a missing folder: none)");
    bool latencyMended = false;
    app.add_flag("--latency-mended", latencyMended,
                 "the latency section's sessions follow the mended rules, as the module's do "
                 "(default: the rules as they stand, whose searches the speed-ups serve)");
    app.add_option("--latency-requests", latency.RequestsPerDistance,
                   "latency requests per distance (neighbours, quarter, across)")
        ->check(CLI::PositiveNumber);
    app.add_option("--old-path", oldPath,
                   "speed-ups the latency section's old path goes without: probe-rays (moves cast "
                   "their probe's ray again), kept-rays (a search casts a ray again at every "
                   "visit), marks (marking walks every leaf), revisits (dead states are explored "
                   "again), faults (the host counts calls per object)")
        ->delimiter(',')
        ->check(CLI::IsMember(speedUps));
    CLI11_PARSE(app, argc, argv);
    SetOldPath(latency, oldPath);
    if (latencyMended)
        latency.Rules = MendedRules;
    if (!latency.DemoFolder.empty() && !std::filesystem::is_directory(latency.DemoFolder)) {
        std::fprintf(stderr, "pathwick-bench: no folder %s: no demo re-draws\n",
                     latency.DemoFolder.c_str());
        latency.DemoFolder.clear();
    }

    nlohmann::ordered_json report;
    report["machine"] = {{"nproc", std::thread::hardware_concurrency()}, {"cpu", CpuModel()}};
    bool identical = true;
    if (clipping) {
        nlohmann::ordered_json clipping =
            RunClipping(sizes, requestSymbols, requests, rays, minSeconds, examples);
        identical = identical && clipping["identical"].get<bool>();
        report["clipping"] = std::move(clipping);
    }
    if (loadObjects > 0)
        report["loading"] = LoadingReport(loadObjects);
    if (latencySection) {
        nlohmann::ordered_json l = RunLatency(latency);
        identical = identical && l["identical"].get<bool>();
        report["latency"] = std::move(l);
    }
    report["identical"] = identical;

    if (json) {
        std::cout << report.dump(2) << "\n";
    } else {
        std::printf("machine: %s, %u threads\n",
                    report["machine"]["cpu"].get<std::string>().c_str(),
                    report["machine"]["nproc"].get<unsigned>());
        if (report.contains("clipping"))
            PrintTable(report["clipping"]);
        if (report.contains("loading"))
            PrintLoading(report["loading"]);
        if (report.contains("latency"))
            PrintLatencyTable(report["latency"]);
        std::printf("identical results: %s\n", identical ? "yes" : "NO");
    }
    return identical ? 0 : 1;
}

} // namespace
} // namespace pathwick::bench

int main(int argc, char** argv) {
    return pathwick::bench::Run(argc, argv);
}
