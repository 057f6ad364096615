// What pathwick-quality prints: a table for people and JSON for machines.
#pragma once

#include "bench/quality/QualityRun.h"
#include "bench/quality/QualityTally.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pathwick::quality {

// One column of the results: a scenario routed by one set of rules.
struct TColumn {
    TScenario Scenario = TScenario::Redraw;
    bool Mended = false;
    std::string Name() const; // "redraw-strict", ...
};

struct TSheetResults {
    std::string Name; // the file, relative to the folder it was found in
    int Chains = 0;
    int LoopsLeftOut = 0; // closed chains and chains whose ends coincide
    std::vector<std::vector<TRequestResult>> ByColumn;
    // A point as the person gives it for this sheet (millimetres, y down).
    std::function<std::string(TSheetPoint)> FormatPoint;
};

struct TQualityResults {
    std::vector<std::string> Inputs;
    int32_t TimeOut = 0;
    double Seconds = 0;
    std::vector<TColumn> Columns;
    std::vector<TSheetResults> Sheets;
    std::vector<std::string> Skipped; // sheets that could not be read, with the reason

    TTally Tally(const TSheetResults& sheet, std::size_t column) const;
    TTally Total(std::size_t column) const;
};

void PrintTable(std::ostream& out, const TQualityResults& results, bool details);
nlohmann::ordered_json ResultsJson(const TQualityResults& results);

} // namespace pathwick::quality
