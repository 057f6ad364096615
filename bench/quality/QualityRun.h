// Routes a sheet's wire chains again through the session, as a person would
// ask for them, and checks every path.
#pragma once

#include "bench/quality/PathCheck.h"
#include "bench/quality/WireChains.h"
#include "options/RouteOptions.h"
#include "router/RouteRules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pathwick::quality {

enum class TScenario : uint8_t {
    Redraw,  // each chain taken out and asked for again, one session each
    Scratch, // every wire and junction taken out, the chains asked for in file order, one session
};

struct TRequestResult {
    std::size_t Chain = 0; // in the sheet's chain set
    TSheetPoint From;
    TSheetPoint To;
    bool Routed = false;
    bool ByMends = false; // the path came from the mended rules' pass
    uint8_t Failure = 0;  // the module's ERouteFailure when not routed
    std::string Error;    // a host error that left the session, if any
    double Milliseconds = 0;
    uint64_t Nodes = 0;
    std::vector<TSheetPoint> Path; // from From to To
    int Bends = 0;
    int DesignerBends = 0;
    int64_t Length = 0;
    int64_t DesignerLength = 0;
    TPathFindings Findings; // of a routed path
};

// Routes every chain of the sheet in the scenario by the given rules.
std::vector<TRequestResult> RunScenario(TScenario scenario, const TRouteRules& rules,
                                        const workbench::TSheetDocument& sheet,
                                        const TChainSet& chains, const TSheetNets& nets,
                                        const TRouteOptions& options);

} // namespace pathwick::quality
