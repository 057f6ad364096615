#include "workbench/kicad/Connections.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <map>
#include <utility>

namespace pathwick::workbench::kicad {

namespace {

using TKey = std::pair<int32_t, int32_t>;

TKey KeyOf(TSheetPoint p) {
    return {p.X, p.Y};
}

int64_t Cross(TSheetPoint o, TSheetPoint a, TSheetPoint b) {
    return (int64_t{a.X} - o.X) * (int64_t{b.Y} - o.Y) -
           (int64_t{a.Y} - o.Y) * (int64_t{b.X} - o.X);
}

// p on the segment a-b, its ends excluded.
bool Inside(const TRun& run, TSheetPoint p) {
    if (p == run.A || p == run.B || Cross(run.A, run.B, p) != 0)
        return false;
    return std::min(run.A.X, run.B.X) <= p.X && p.X <= std::max(run.A.X, run.B.X) &&
           std::min(run.A.Y, run.B.Y) <= p.Y && p.Y <= std::max(run.A.Y, run.B.Y);
}

int Sign(int64_t v) {
    return (v > 0) - (v < 0);
}

const TPolyline* AsPolyline(const TSheetObject& object, int32_t kind) {
    return object.Kind() == kind ? dynamic_cast<const TPolyline*>(&object) : nullptr;
}

void AddSegments(const std::vector<TSheetPoint>& points, std::vector<TRun>& runs) {
    for (std::size_t i = 1; i < points.size(); ++i)
        if (!(points[i - 1] == points[i]))
            runs.push_back({points[i - 1], points[i]});
}

} // namespace

std::vector<TRun> StraightRuns(const std::vector<TSheetPoint>& points) {
    std::vector<TRun> runs;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const TSheetPoint a = points[i - 1];
        const TSheetPoint b = points[i];
        if (a == b)
            continue;
        if (!runs.empty()) {
            TRun& last = runs.back();
            const int64_t dx1 = int64_t{last.B.X} - last.A.X, dy1 = int64_t{last.B.Y} - last.A.Y;
            const int64_t dx2 = int64_t{b.X} - a.X, dy2 = int64_t{b.Y} - a.Y;
            if (last.B == a && Cross(last.A, last.B, b) == 0 && Sign(dx1) == Sign(dx2) &&
                Sign(dy1) == Sign(dy2)) {
                last.B = b;
                continue;
            }
        }
        runs.push_back({a, b});
    }
    return runs;
}

std::vector<TSheetPoint> PinPoints(const TSheetDocument& sheet) {
    std::vector<TSheetPoint> pins;
    for (const auto& object : sheet.Objects()) {
        const auto* symbol = dynamic_cast<const TSymbol*>(object.Get());
        if (!symbol)
            continue;
        for (const auto& child : symbol->ChildList())
            if (child->Kind() == kinds::Pin && child->Part() == symbol->CurrentPart() &&
                child->View() == symbol->CurrentView())
                pins.push_back(child->Anchor());
    }
    return pins;
}

std::vector<TSheetPoint> JunctionsNeeded(const TSheetDocument& sheet,
                                         const std::vector<TRun>& added,
                                         const std::set<const TSheetObject*>& skip) {
    std::vector<TRun> runs;
    std::vector<TRun> buses;
    std::set<TKey> junctions;
    for (const auto& object : sheet.Objects()) {
        if (skip.count(object.Get()))
            continue;
        if (const TPolyline* wire = AsPolyline(*object, kinds::Wire))
            AddSegments(wire->Vertices(), runs);
        else if (const TPolyline* bus = AsPolyline(*object, kinds::Bus))
            AddSegments(bus->Vertices(), buses);
        else if (object->Kind() == kinds::Junction)
            junctions.insert(KeyOf(object->Anchor()));
    }
    runs.insert(runs.end(), added.begin(), added.end());
    std::map<TKey, int> ends; // run ends and pins at each point
    for (const TRun& run : runs) {
        ++ends[KeyOf(run.A)];
        ++ends[KeyOf(run.B)];
    }
    const std::vector<TSheetPoint> pins = PinPoints(sheet);
    for (const TSheetPoint& pin : pins)
        ++ends[KeyOf(pin)];

    // Where to look: the added runs' ends, and existing ends and pins that
    // an added run passes through.
    std::set<TKey> addedEnds;
    for (const TRun& run : added) {
        addedEnds.insert(KeyOf(run.A));
        addedEnds.insert(KeyOf(run.B));
    }
    std::set<TKey> candidates = addedEnds;
    for (const auto& [key, count] : ends)
        for (const TRun& run : added)
            if (Inside(run, {key.first, key.second}))
                candidates.insert(key);

    std::vector<TSheetPoint> needed;
    for (const TKey& key : candidates) {
        if (junctions.count(key))
            continue;
        const TSheetPoint p{key.first, key.second};
        int meeting = ends.count(key) ? ends.at(key) : 0;
        for (const TRun& run : runs)
            meeting += Inside(run, p) ? 2 : 0;
        bool onBus = false;
        if (addedEnds.count(key))
            for (const TRun& bus : buses)
                onBus = onBus || Inside(bus, p) || bus.A == p || bus.B == p;
        if (meeting >= 3 || onBus)
            needed.push_back(p);
    }
    return needed;
}

TWireEndShare MeasureWireEnds(const TSheetDocument& sheet) {
    std::map<TKey, int> wireEnds;
    std::vector<TSheetPoint> ends;
    for (const auto& object : sheet.Objects()) {
        const TPolyline* wire = AsPolyline(*object, kinds::Wire);
        if (!wire || wire->VertexCount() < 2)
            continue;
        const std::vector<TSheetPoint> points = wire->Vertices();
        for (const TSheetPoint& end : {points.front(), points.back()}) {
            ++wireEnds[KeyOf(end)];
            ends.push_back(end);
        }
    }
    std::set<TKey> pins;
    for (const TSheetPoint& pin : PinPoints(sheet))
        pins.insert(KeyOf(pin));
    TWireEndShare share;
    for (const TSheetPoint& end : ends) {
        ++share.Ends;
        const TKey key = KeyOf(end);
        if (pins.count(key) || wireEnds[key] >= 2)
            ++share.Connected;
    }
    return share;
}

} // namespace pathwick::workbench::kicad
