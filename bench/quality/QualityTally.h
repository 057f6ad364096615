// Sums of a set of routing requests: how many routed, why the others did
// not, how long they took, how their paths compare with the designer's and
// what the checks found.
#pragma once

#include "bench/quality/QualityRun.h"

#include <map>
#include <string>
#include <vector>

namespace pathwick::quality {

class TTally {
public:
    void Add(const TRequestResult& r);
    void Merge(const TTally& other);

    int Requests = 0;
    int Routed = 0;
    int ByMends = 0; // of Routed
    int Errors = 0;
    std::map<std::string, int> Failures; // by reason, the module's names
    // Routed requests whose path has no more bends than the designer's chain.
    int BendsNoMore = 0;
    int64_t Bends = 0;
    int64_t DesignerBends = 0;
    int64_t Length = 0;         // of the routed paths
    int64_t DesignerLength = 0; // of their designer's chains
    // The checks, summed over the routed paths.
    int NotAxisParallel = 0;
    int EndsNotExact = 0;
    int BodyCrossings = 0;
    int Shorts = 0;
    int FalseConnections = 0;
    int Overlaps = 0;
    int WiresCrossed = 0;
    int EndsOnOtherNet = 0;

    double RoutedPercent() const { return Requests ? 100.0 * Routed / Requests : 100.0; }
    double BendsNoMorePercent() const { return Routed ? 100.0 * BendsNoMore / Routed : 100.0; }
    double LengthRatio() const {
        return DesignerLength ? static_cast<double>(Length) / DesignerLength : 1.0;
    }
    // Request times in milliseconds: median, 99th percentile (nearest rank), maximum.
    double MedianMs() const { return Percentile(50); }
    double P99Ms() const { return Percentile(99); }
    double MaxMs() const;
    int Violations() const {
        return NotAxisParallel + EndsNotExact + BodyCrossings + Shorts + FalseConnections +
               Overlaps;
    }

private:
    double Percentile(int p) const;
    std::vector<double> times_;
};

} // namespace pathwick::quality
