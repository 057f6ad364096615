#include "bench/quality/QualityReport.h"

#include "workbench/model/RouteFailureText.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <set>

namespace pathwick::quality {

namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Percent(int part, int whole) {
    return Format("%.1f %%", whole ? 100.0 * part / whole : 100.0);
}

std::string Padded(const std::string& text, std::size_t width, bool right = true) {
    if (text.size() >= width)
        return text;
    const std::string pad(width - text.size(), ' ');
    return right ? pad + text : text + pad;
}

std::string ScenarioName(TScenario s) {
    return s == TScenario::Redraw ? "redraw" : "scratch";
}

nlohmann::ordered_json TallyJson(const TTally& t) {
    nlohmann::ordered_json failures = nlohmann::ordered_json::object();
    for (const auto& [reason, n] : t.Failures)
        failures[reason] = n;
    return {
        {"requests", t.Requests},
        {"routed", t.Routed},
        {"routedPercent", t.RoutedPercent()},
        {"routedByMends", t.ByMends},
        {"failures", failures},
        {"milliseconds", {{"median", t.MedianMs()}, {"p99", t.P99Ms()}, {"max", t.MaxMs()}}},
        {"bends",
         {{"noMoreThanDesignerPercent", t.BendsNoMorePercent()},
          {"routed", t.Bends},
          {"designer", t.DesignerBends}}},
        {"length",
         {{"routed", t.Length}, {"designer", t.DesignerLength}, {"ratio", t.LengthRatio()}}},
        {"checks",
         {{"notAxisParallel", t.NotAxisParallel},
          {"endsNotExact", t.EndsNotExact},
          {"bodyCrossings", t.BodyCrossings},
          {"shorts", t.Shorts},
          {"falseConnections", t.FalseConnections},
          {"collinearOverlaps", t.Overlaps},
          {"wiresCrossed", t.WiresCrossed},
          {"endsOnAnotherNet", t.EndsOnOtherNet}}},
    };
}

// One row of the totals: a label and a value per column.
void Row(std::ostream& out, const std::string& label, const std::vector<std::string>& cells) {
    out << Padded(label, 34, false);
    for (const std::string& c : cells)
        out << Padded(c, 17);
    out << "\n";
}

} // namespace

std::string TColumn::Name() const {
    return ScenarioName(Scenario) + (Mended ? "-mended" : "-strict");
}

TTally TQualityResults::Tally(const TSheetResults& sheet, std::size_t column) const {
    TTally t;
    for (const TRequestResult& r : sheet.ByColumn[column])
        t.Add(r);
    return t;
}

TTally TQualityResults::Total(std::size_t column) const {
    TTally t;
    for (const TSheetResults& s : Sheets)
        t.Merge(Tally(s, column));
    return t;
}

void PrintTable(std::ostream& out, const TQualityResults& results, bool details) {
    const std::size_t columns = results.Columns.size();
    out << "pathwick-quality: " << results.Sheets.size() << " sheets, time-out " << results.TimeOut
        << " ms, " << Format("%.1f", results.Seconds) << " s\n";
    for (const std::string& skipped : results.Skipped)
        out << "skipped: " << skipped << "\n";
    out << "\n";

    out << "Routed per sheet\n" << Padded("sheet", 44, false) << Padded("chains", 7);
    for (const TColumn& c : results.Columns)
        out << Padded(c.Name(), 16);
    out << "\n";
    for (const TSheetResults& s : results.Sheets) {
        out << Padded(s.Name, 44, false) << Padded(std::to_string(s.Chains), 7);
        for (std::size_t c = 0; c < columns; ++c) {
            const TTally t = results.Tally(s, c);
            out << Padded(std::to_string(t.Routed) + " " + Percent(t.Routed, t.Requests), 16);
        }
        out << "\n";
    }

    std::vector<TTally> totals;
    for (std::size_t c = 0; c < columns; ++c)
        totals.push_back(results.Total(c));
    const auto each = [&](auto f) {
        std::vector<std::string> cells;
        for (const TTally& t : totals)
            cells.push_back(f(t));
        return cells;
    };
    out << "\nTotals\n";
    std::vector<std::string> names;
    for (const TColumn& c : results.Columns)
        names.push_back(c.Name());
    Row(out, "", names);
    Row(out, "requests", each([](const TTally& t) { return std::to_string(t.Requests); }));
    Row(out, "routed", each([](const TTally& t) { return std::to_string(t.Routed); }));
    Row(out, "routed share", each([](const TTally& t) { return Percent(t.Routed, t.Requests); }));
    Row(out, "  of them by the mends",
        each([](const TTally& t) { return std::to_string(t.ByMends); }));
    std::set<std::string> reasons;
    for (const TTally& t : totals)
        for (const auto& [reason, n] : t.Failures)
            reasons.insert(reason);
    for (const std::string& reason : reasons)
        Row(out, "failed: " + reason, each([&](const TTally& t) {
                const auto it = t.Failures.find(reason);
                return std::to_string(it == t.Failures.end() ? 0 : it->second);
            }));
    Row(out, "request ms: median",
        each([](const TTally& t) { return Format("%.3f", t.MedianMs()); }));
    Row(out, "request ms: p99", each([](const TTally& t) { return Format("%.2f", t.P99Ms()); }));
    Row(out, "request ms: max", each([](const TTally& t) { return Format("%.1f", t.MaxMs()); }));
    Row(out, "bends <= designer's",
        each([](const TTally& t) { return Percent(t.BendsNoMore, t.Routed); }));
    Row(out, "bends: routed / designer's", each([](const TTally& t) {
            return std::to_string(t.Bends) + "/" + std::to_string(t.DesignerBends);
        }));
    Row(out, "length: routed / designer's",
        each([](const TTally& t) { return Format("%.3f", t.LengthRatio()); }));
    Row(out, "check: not axis-parallel",
        each([](const TTally& t) { return std::to_string(t.NotAxisParallel); }));
    Row(out, "check: ends not exact",
        each([](const TTally& t) { return std::to_string(t.EndsNotExact); }));
    Row(out, "check: body crossings",
        each([](const TTally& t) { return std::to_string(t.BodyCrossings); }));
    Row(out, "check: shorts", each([](const TTally& t) { return std::to_string(t.Shorts); }));
    Row(out, "check: false connections",
        each([](const TTally& t) { return std::to_string(t.FalseConnections); }));
    Row(out, "check: collinear overlaps",
        each([](const TTally& t) { return std::to_string(t.Overlaps); }));
    Row(out, "wires crossed", each([](const TTally& t) { return std::to_string(t.WiresCrossed); }));
    Row(out, "end on another net (request's)",
        each([](const TTally& t) { return std::to_string(t.EndsOnOtherNet); }));

    if (!details)
        return;
    out << "\nDetails\n";
    for (const TSheetResults& s : results.Sheets) {
        for (std::size_t c = 0; c < columns; ++c) {
            for (const TRequestResult& r : s.ByColumn[c]) {
                const std::string head = s.Name + "  " + results.Columns[c].Name() + "  chain " +
                                         std::to_string(r.Chain + 1) + "  " +
                                         s.FormatPoint(r.From) + " " + s.FormatPoint(r.To);
                if (!r.Routed) {
                    out << head << "  NOT ROUTED: "
                        << (r.Error.empty() ? std::string(workbench::RouteFailureName(r.Failure))
                                            : "host error: " + r.Error)
                        << Format("  %.1f ms", r.Milliseconds) << "\n";
                    continue;
                }
                for (const std::string& note : r.Findings.Notes)
                    out << head << "  " << note << "\n";
                if (!r.Findings.Notes.empty()) {
                    out << head << "  path";
                    for (TSheetPoint p : r.Path)
                        out << " " << s.FormatPoint(p);
                    out << "\n";
                }
            }
        }
    }
}

nlohmann::ordered_json ResultsJson(const TQualityResults& results) {
    nlohmann::ordered_json columns = nlohmann::ordered_json::array();
    for (const TColumn& c : results.Columns)
        columns.push_back(c.Name());
    nlohmann::ordered_json sheets = nlohmann::ordered_json::array();
    nlohmann::ordered_json failures = nlohmann::ordered_json::array();
    nlohmann::ordered_json findings = nlohmann::ordered_json::array();
    for (const TSheetResults& s : results.Sheets) {
        nlohmann::ordered_json byColumn = nlohmann::ordered_json::object();
        for (std::size_t c = 0; c < results.Columns.size(); ++c) {
            const std::string name = results.Columns[c].Name();
            byColumn[name] = TallyJson(results.Tally(s, c));
            for (const TRequestResult& r : s.ByColumn[c]) {
                nlohmann::ordered_json where = {{"sheet", s.Name},
                                                {"column", name},
                                                {"chain", r.Chain + 1},
                                                {"from", s.FormatPoint(r.From)},
                                                {"to", s.FormatPoint(r.To)}};
                if (!r.Routed) {
                    where["reason"] = r.Error.empty()
                                          ? std::string(workbench::RouteFailureName(r.Failure))
                                          : "host-error: " + r.Error;
                    where["milliseconds"] = r.Milliseconds;
                    failures.push_back(std::move(where));
                } else if (!r.Findings.Notes.empty()) {
                    where["notes"] = r.Findings.Notes;
                    nlohmann::ordered_json path = nlohmann::ordered_json::array();
                    for (TSheetPoint p : r.Path)
                        path.push_back(s.FormatPoint(p));
                    where["path"] = std::move(path);
                    findings.push_back(std::move(where));
                }
            }
        }
        sheets.push_back({{"sheet", s.Name},
                          {"chains", s.Chains},
                          {"chainsLeftOut", s.LoopsLeftOut},
                          {"results", byColumn}});
    }
    nlohmann::ordered_json total = nlohmann::ordered_json::object();
    nlohmann::ordered_json slowest = nlohmann::ordered_json::object();
    for (std::size_t c = 0; c < results.Columns.size(); ++c) {
        total[results.Columns[c].Name()] = TallyJson(results.Total(c));
        // The slowest requests of the column: what the time percentiles are made of.
        std::vector<std::pair<const TSheetResults*, const TRequestResult*>> all;
        for (const TSheetResults& s : results.Sheets)
            for (const TRequestResult& r : s.ByColumn[c])
                all.emplace_back(&s, &r);
        const std::size_t keep = std::min<std::size_t>(all.size(), 60);
        std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(keep), all.end(),
                          [](const auto& a, const auto& b) {
                              return a.second->Milliseconds > b.second->Milliseconds;
                          });
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < keep; ++i) {
            const auto& [s, r] = all[i];
            list.push_back(
                {{"sheet", s->Name},
                 {"chain", r->Chain + 1},
                 {"from", s->FormatPoint(r->From)},
                 {"to", s->FormatPoint(r->To)},
                 {"milliseconds", r->Milliseconds},
                 {"nodes", r->Nodes},
                 {"routed", r->Routed},
                 {"byMends", r->ByMends},
                 {"reason", r->Routed ? std::string()
                                      : std::string(workbench::RouteFailureName(r->Failure))}});
        }
        slowest[results.Columns[c].Name()] = std::move(list);
    }
    return {{"inputs", results.Inputs},
            {"timeOutMs", results.TimeOut},
            {"seconds", results.Seconds},
            {"columns", columns},
            {"total", total},
            {"sheets", sheets},
            {"failures", failures},
            {"findings", findings},
            {"slowest", slowest},
            {"skipped", results.Skipped}};
}

} // namespace pathwick::quality
