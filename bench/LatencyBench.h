// The latency section of pathwick-bench: requests as a user feels them,
// through a session as a host drives it, the old path against the new one.
#pragma once

#include "plugin/MainApp.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace pathwick::bench {

struct TLatencyOptions {
    std::vector<int> Sizes{100, 300, 1000, 3000, 10000}; // symbols per synthetic sheet
    int RequestsPerDistance = 40; // each of neighbours, a quarter of the sheet, across
    // The old path: the session's speed-ups switched off (the fast clipping
    // stays, as it was before them) ...
    TSpeedUps Old{{TClipMethod::Fast, false}, {false, false, false}};
    // ... and its host keeping per-object call counts, as the fault plan
    // used to on every call.
    bool OldCountsPerObject = true;
    // The rules both ways follow. The speed-ups are measured on the rules as
    // they stand, whose searches they speed up and whose targets they meet;
    // the mended rules (the module's default) add a second pass to requests
    // the first leaves without a path, which on large sheets can run to the
    // time-out.
    TRouteRules Rules = StrictRules;
    // A folder of KiCad schematics for the re-draw requests (empty: none),
    // and the span between a chain's ends, in sheet units (1 mil = 20 000).
    std::string DemoFolder;
    int32_t DemoMinSpan = 150 * 20000;
    int32_t DemoMaxSpan = 300 * 20000;
};

// Runs every size both ways with the real clock and the settings file's
// defaults, then the demo re-draws; the report holds the figures per size and
// way, whether the routes were the same both ways, and the targets.
nlohmann::ordered_json RunLatency(const TLatencyOptions& options);

// Prints the report of RunLatency as a table.
void PrintLatencyTable(const nlohmann::ordered_json& report);

} // namespace pathwick::bench
