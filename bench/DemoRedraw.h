// Short re-draw requests on KiCad's demo schematics: a designer's wire chain
// taken out and asked for again between its ends, the old path against the
// new one.
#pragma once

#include "options/RouteOptions.h"
#include "plugin/MainApp.h"

#include <nlohmann/json.hpp>

#include <string>

namespace pathwick::bench {

struct TRedrawOptions {
    std::string Folder;      // searched for .kicad_sch files, subfolders included
    int32_t MinSpan = 0;     // sheet units between the chain's ends (Manhattan), at least
    int32_t MaxSpan = 0;     // and at most
    TSpeedUps Old;           // the old path's session
    bool OldCountsPerObject; // the old path's host keeps per-object call counts
    TRouteRules Rules;       // both ways' sessions
};

// Every wire chain of every schematic (wires joined end to end where only the
// two of them meet, no pin and no junction) whose ends lie within the span is
// taken out, with the junctions at its ends, and requested again from one end
// to the other, once the old way and once the new, each in a session of its
// own on the sheet as read. The report lists the requests that the clock
// stopped either way or that took the new path over 100 ms, and sums up all.
nlohmann::ordered_json RunRedraws(const TRedrawOptions& redraw, const TRouteOptions& settings);

// Prints the report of RunRedraws.
void PrintRedraws(const nlohmann::ordered_json& report);

} // namespace pathwick::bench
