#include "bench/quality/QualityTally.h"

#include "workbench/model/RouteFailureText.h"

#include <algorithm>

namespace pathwick::quality {

void TTally::Add(const TRequestResult& r) {
    ++Requests;
    times_.push_back(r.Milliseconds);
    if (!r.Error.empty()) {
        ++Errors;
        ++Failures["host-error"];
        return;
    }
    if (!r.Routed) {
        ++Failures[std::string(workbench::RouteFailureName(r.Failure))];
        return;
    }
    ++Routed;
    ByMends += r.ByMends ? 1 : 0;
    BendsNoMore += r.Bends <= r.DesignerBends ? 1 : 0;
    Bends += r.Bends;
    DesignerBends += r.DesignerBends;
    Length += r.Length;
    DesignerLength += r.DesignerLength;
    const TPathFindings& f = r.Findings;
    NotAxisParallel += f.AxisParallel ? 0 : 1;
    EndsNotExact += f.EndsExact ? 0 : 1;
    BodyCrossings += f.BodyCrossings;
    Shorts += f.Shorts;
    FalseConnections += f.FalseConnections;
    Overlaps += f.Overlaps;
    WiresCrossed += f.WiresCrossed;
    EndsOnOtherNet += f.EndsOnOtherNet;
}

void TTally::Merge(const TTally& o) {
    Requests += o.Requests;
    Routed += o.Routed;
    ByMends += o.ByMends;
    Errors += o.Errors;
    for (const auto& [reason, n] : o.Failures)
        Failures[reason] += n;
    BendsNoMore += o.BendsNoMore;
    Bends += o.Bends;
    DesignerBends += o.DesignerBends;
    Length += o.Length;
    DesignerLength += o.DesignerLength;
    NotAxisParallel += o.NotAxisParallel;
    EndsNotExact += o.EndsNotExact;
    BodyCrossings += o.BodyCrossings;
    Shorts += o.Shorts;
    FalseConnections += o.FalseConnections;
    Overlaps += o.Overlaps;
    WiresCrossed += o.WiresCrossed;
    EndsOnOtherNet += o.EndsOnOtherNet;
    times_.insert(times_.end(), o.times_.begin(), o.times_.end());
}

double TTally::Percentile(int p) const {
    if (times_.empty())
        return 0;
    std::vector<double> sorted = times_;
    std::sort(sorted.begin(), sorted.end());
    // Nearest rank: the smallest value with at least p % of the values at or below it.
    const std::size_t rank = (sorted.size() * static_cast<std::size_t>(p) + 99) / 100;
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

double TTally::MaxMs() const {
    return times_.empty() ? 0 : *std::max_element(times_.begin(), times_.end());
}

} // namespace pathwick::quality
