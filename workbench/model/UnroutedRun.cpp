#include "workbench/model/UnroutedRun.h"

namespace pathwick::workbench {

std::vector<TSheetPoint> CornerRun(TSheetPoint from, TSheetPoint to) {
    if (from.X == to.X || from.Y == to.Y)
        return {from, to};
    return {from, {to.X, from.Y}, to};
}

std::vector<TSheetPoint> PlaceUnrouted(TPolyline& wire, std::vector<TSheetPoint> before,
                                       TSheetPoint to) {
    const TSheetPoint from = before.empty() ? to : before.back();
    const std::vector<TSheetPoint> run = CornerRun(from, to);
    before.insert(before.end(), run.begin() + 1, run.end());
    wire.SetVertices(std::move(before));
    for (std::size_t i = 1; i < run.size(); ++i)
        wire.MarkUnrouted(run[i - 1], run[i]);
    return run;
}

std::vector<TWireStretch> WireStretches(const TPolyline& wire) {
    const std::vector<TSheetPoint> points = wire.Vertices();
    std::vector<TWireStretch> stretches;
    if (points.size() == 1)
        stretches.push_back({points, false});
    for (std::size_t i = 1; i < points.size(); ++i) {
        // Segment i runs from vertex i to vertex i + 1, counted from 1.
        const bool unrouted = wire.IsUnrouted(static_cast<int32_t>(i));
        if (stretches.empty() || stretches.back().Unrouted != unrouted)
            stretches.push_back({{points[i - 1]}, unrouted});
        stretches.back().Points.push_back(points[i]);
    }
    return stretches;
}

} // namespace pathwick::workbench
