// pathwick-quality: how the module does on real schematics. Every wire chain
// a designer drew is asked for again between its two ends, each in a session
// of its own on the rest of the sheet (re-draw), and every chain of a sheet
// stripped of its wires and junctions is asked for in file order in one
// session (from scratch); both by the rules as they stand and by the mended
// rules. Each routed path is checked against the sheet's own objects and nets.
#include "bench/quality/QualityReport.h"

#include "host/ClientLookup.h"
#include "workbench/files/OutputFile.h"
#include "workbench/kicad/KicadSheet.h"
#include "workbench/kicad/KicadUnits.h"
#include "workbench/model/WorkbenchHost.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace pathwick::quality {
namespace {

namespace fs = std::filesystem;
namespace wb = workbench;

struct TSheetFile {
    fs::path Path;
    std::string Name; // relative to the folder it was found in
};

std::vector<TSheetFile> FindSheets(const std::vector<std::string>& inputs,
                                   const std::string& only) {
    std::vector<TSheetFile> files;
    for (const std::string& input : inputs) {
        const fs::path root(input);
        if (fs::is_directory(root)) {
            std::vector<TSheetFile> found;
            for (const fs::directory_entry& e : fs::recursive_directory_iterator(root))
                if (e.is_regular_file() && e.path().extension() == ".kicad_sch")
                    found.push_back({e.path(), fs::relative(e.path(), root).string()});
            std::sort(found.begin(), found.end(),
                      [](const TSheetFile& a, const TSheetFile& b) { return a.Name < b.Name; });
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(root)) {
            files.push_back({root, root.filename().string()});
        } else {
            throw std::runtime_error(input + ": no such file or folder");
        }
    }
    if (!only.empty())
        std::erase_if(files,
                      [&](const TSheetFile& f) { return f.Name.find(only) == std::string::npos; });
    return files;
}

// Options of a throw-away preference folder, so that no user's Router.ini is
// read or written.
class TScratchOptions {
public:
    explicit TScratchOptions(int32_t timeOut) {
        char pattern[] = "/tmp/pathwick-quality-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("cannot make a temporary folder");
        folder_ = pattern;
        options_ = std::make_unique<TRouteOptions>(folder_);
        options_->TimeOut = timeOut;
    }
    ~TScratchOptions() {
        options_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    TScratchOptions(const TScratchOptions&) = delete;
    TScratchOptions& operator=(const TScratchOptions&) = delete;
    const TRouteOptions& Options() const { return *options_; }

private:
    std::string folder_;
    std::unique_ptr<TRouteOptions> options_;
};

int Run(int argc, char** argv) {
    CLI::App app{"pathwick-quality: re-draws the wires of KiCad schematics with the routing "
                 "module, by the rules as they stand (strict) and by the mended rules, and "
                 "checks every path against the sheet's own objects and nets. Exits with 1 when "
                 "a sheet could not be read (the others are measured).\n"
                 "Re-draw: each wire chain is taken out and asked for again between its two "
                 "ends, in a session of its own. From scratch: every wire and junction is "
                 "taken out and the chains are asked for in file order in one session."};
    std::vector<std::string> inputs{"/usr/share/kicad/demos"};
    app.add_option("sheets", inputs,
                   "schematic files, or folders searched for .kicad_sch files recursively")
        ->capture_default_str();
    std::string jsonPath;
    app.add_option("--json", jsonPath,
                   "also write the results as JSON to this file (- for "
                   "standard output, without the table)");
    int32_t timeOut = 3000;
    app.add_option("--timeout", timeOut, "milliseconds per request, as Router.ini's TimeOut")
        ->check(CLI::Range(1, 600000))
        ->capture_default_str();
    std::string scenario = "both";
    app.add_option("--scenario", scenario, "redraw, scratch or both")
        ->check(CLI::IsMember({"redraw", "scratch", "both"}))
        ->capture_default_str();
    std::string rules = "both";
    app.add_option("--rules", rules, "strict (as they stand), mended or both")
        ->check(CLI::IsMember({"strict", "mended", "both"}))
        ->capture_default_str();
    std::string only;
    app.add_option("--only", only, "only sheets whose name contains this text");
    bool details = false;
    app.add_flag("--details", details,
                 "list every request that was not routed and every finding of the checks, "
                 "with its points in millimetres (y down)");
    CLI11_PARSE(app, argc, argv);

    TQualityResults results;
    results.Inputs = inputs;
    results.TimeOut = timeOut;
    for (TScenario s : {TScenario::Redraw, TScenario::Scratch}) {
        if (scenario != "both" && scenario != (s == TScenario::Redraw ? "redraw" : "scratch"))
            continue;
        for (bool mended : {false, true})
            if (rules == "both" || rules == (mended ? "mended" : "strict"))
                results.Columns.push_back({s, mended});
    }

    const std::vector<TSheetFile> files = FindSheets(inputs, only);
    if (files.empty())
        throw std::runtime_error("no .kicad_sch files found");
    // The session code runs in this process, with the workbench as its host.
    SetModuleClient(&wb::TWorkbenchHost::Instance().Client());
    const TScratchOptions scratch(timeOut);
    const auto started = std::chrono::steady_clock::now();
    for (const TSheetFile& file : files) {
        std::fprintf(stderr, "%s\n", file.Name.c_str());
        std::shared_ptr<const wb::kicad::TKicadSheet> kicad;
        try {
            kicad = wb::kicad::TKicadSheet::Load(file.Path.string());
        } catch (const std::exception& e) {
            // One sheet that cannot be read does not cost the others' results.
            std::fprintf(stderr, "pathwick-quality: skipped: %s\n", e.what());
            results.Skipped.push_back(e.what());
            continue;
        }
        const wb::TSheetDocument& sheet = kicad->Document();
        const TSheetNets nets(sheet);
        const TChainSet chains = FindWireChains(sheet, nets);
        TSheetResults sheetResults;
        sheetResults.Name = file.Name;
        sheetResults.Chains = static_cast<int>(chains.Chains.size());
        sheetResults.LoopsLeftOut = chains.Loops + chains.SamePoint;
        sheetResults.FormatPoint = [kicad](TSheetPoint p) {
            const wb::kicad::TFilePoint f = kicad->Frame().ToFile(p);
            return wb::kicad::FormatMillimetres(f.X) + "," + wb::kicad::FormatMillimetres(f.Y);
        };
        for (const TColumn& c : results.Columns)
            sheetResults.ByColumn.push_back(RunScenario(c.Scenario,
                                                        c.Mended ? MendedRules : StrictRules, sheet,
                                                        chains, nets, scratch.Options()));
        results.Sheets.push_back(std::move(sheetResults));
    }
    results.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    SetModuleClient(nullptr);

    if (jsonPath != "-")
        PrintTable(std::cout, results, details);
    if (!jsonPath.empty()) {
        const std::string text = ResultsJson(results).dump(1) + "\n";
        if (jsonPath == "-")
            std::cout << text;
        else
            wb::WriteOutputFile(jsonPath, text);
    }
    return results.Skipped.empty() ? 0 : 1;
}

} // namespace
} // namespace pathwick::quality

int main(int argc, char** argv) {
    try {
        return pathwick::quality::Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pathwick-quality: %s\n", e.what());
        return 1;
    }
}
