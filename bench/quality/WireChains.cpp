#include "bench/quality/WireChains.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace pathwick::quality {

namespace wb = workbench;

namespace {

using TKey = std::pair<int32_t, int32_t>;

TKey KeyOf(TSheetPoint p) {
    return {p.X, p.Y};
}

struct TWireEnds {
    const wb::TPolyline* Wire = nullptr;
    std::size_t FileIndex = 0;
    std::vector<TSheetPoint> Vertices;
};

// One end of a wire: the wire's index and whether it is the last vertex.
struct TEnd {
    std::size_t Wire = 0;
    bool Last = false;
};

} // namespace

TChainSet FindWireChains(const wb::TSheetDocument& sheet, const TSheetNets& nets) {
    std::vector<TWireEnds> wires;
    std::size_t index = 0;
    for (const auto& held : sheet.Objects()) {
        const auto* wire = dynamic_cast<const wb::TPolyline*>(held.Get());
        ++index;
        if (!wire || wire->Kind() != wb::kinds::Wire)
            continue;
        std::vector<TSheetPoint> vertices = wire->Vertices();
        if (SegmentsOf(vertices).empty())
            continue;
        wires.push_back({wire, index - 1, std::move(vertices)});
    }

    // What meets at each point: wire ends, and whether anything else does.
    std::map<TKey, std::vector<TEnd>> ends;
    for (std::size_t w = 0; w < wires.size(); ++w) {
        ends[KeyOf(wires[w].Vertices.front())].push_back({w, false});
        ends[KeyOf(wires[w].Vertices.back())].push_back({w, true});
    }
    std::set<TKey> other;
    for (const TNetPoint& p : nets.Points()) {
        if (p.Kind != TPointKind::WireVertex)
            other.insert(KeyOf(p.At));
    }
    for (const TNetRun& run : nets.Runs()) {
        for (const auto& [key, list] : ends) {
            if (InsideSegment(run.Run, {key.first, key.second}))
                other.insert(key);
        }
        // A vertex inside a wire of more than two points is no end.
        if (!run.Bus && run.Owner) {
            const auto* wire = static_cast<const wb::TPolyline*>(run.Owner);
            const std::vector<TSheetPoint> v = wire->Vertices();
            for (std::size_t i = 1; i + 1 < v.size(); ++i)
                other.insert(KeyOf(v[i]));
        }
    }
    for (const TNetPoint& p : nets.Points()) {
        if (p.Kind == TPointKind::WireVertex && p.Owner &&
            std::none_of(wires.begin(), wires.end(), [&](const TWireEnds& w) {
                return static_cast<const wb::TSheetObject*>(w.Wire) == p.Owner;
            }))
            other.insert(KeyOf(p.At)); // a wire of no length
    }
    const auto joint = [&](TSheetPoint p) {
        const auto it = ends.find(KeyOf(p));
        return it != ends.end() && it->second.size() == 2 && !other.count(KeyOf(p));
    };
    // The other wire end at a joint.
    const auto across = [&](TSheetPoint p, std::size_t from) {
        const std::vector<TEnd>& list = ends.at(KeyOf(p));
        return list[0].Wire == from ? list[1] : list[0];
    };

    TChainSet result;
    std::vector<bool> used(wires.size(), false);
    for (std::size_t start = 0; start < wires.size(); ++start) {
        if (used[start])
            continue;
        // Walk back from the first vertex to the chain's first wire.
        std::size_t w = start;
        bool atLast = false; // the walk leaves w through its first vertex
        bool loop = false;
        while (true) {
            const TSheetPoint p = atLast ? wires[w].Vertices.back() : wires[w].Vertices.front();
            if (!joint(p))
                break;
            const TEnd next = across(p, w);
            if (next.Wire == start || next.Wire == w) {
                loop = true;
                break;
            }
            w = next.Wire;
            atLast = !next.Last;
        }
        // Now walk forward from that end, collecting the chain.
        TWireChain chain;
        std::size_t current = w;
        bool reversed = atLast; // entered through the last vertex: walk it backwards
        if (loop) {
            // A closed ring: mark its wires and leave it out.
            std::size_t v = start;
            bool last = true;
            do {
                used[v] = true;
                const TSheetPoint p = last ? wires[v].Vertices.back() : wires[v].Vertices.front();
                const TEnd next = across(p, v);
                v = next.Wire;
                last = !next.Last;
            } while (v != start && !used[v]);
            ++result.Loops;
            continue;
        }
        while (true) {
            used[current] = true;
            chain.Wires.push_back(wires[current].Wire);
            std::vector<TSheetPoint> v = wires[current].Vertices;
            if (reversed)
                std::reverse(v.begin(), v.end());
            chain.Points.insert(chain.Points.end(), v.begin() + (chain.Points.empty() ? 0 : 1),
                                v.end());
            chain.FileOrder = chain.Wires.size() == 1
                                  ? wires[current].FileIndex
                                  : std::min(chain.FileOrder, wires[current].FileIndex);
            const TSheetPoint p = v.back();
            if (!joint(p))
                break;
            const TEnd next = across(p, current);
            if (used[next.Wire])
                break;
            current = next.Wire;
            reversed = next.Last;
        }
        if (chain.From() == chain.To()) {
            ++result.SamePoint;
            continue;
        }
        // Run from the end nearer the earliest wire of the file.
        const auto fileIndex = [&](const wb::TPolyline* wire) {
            for (const TWireEnds& e : wires)
                if (e.Wire == wire)
                    return e.FileIndex;
            return std::size_t{0};
        };
        if (fileIndex(chain.Wires.back()) < fileIndex(chain.Wires.front())) {
            std::reverse(chain.Wires.begin(), chain.Wires.end());
            std::reverse(chain.Points.begin(), chain.Points.end());
        }
        chain.Net = nets.NetOf(chain.Wires.front());
        result.Chains.push_back(std::move(chain));
    }
    std::stable_sort(
        result.Chains.begin(), result.Chains.end(),
        [](const TWireChain& a, const TWireChain& b) { return a.FileOrder < b.FileOrder; });
    return result;
}

} // namespace pathwick::quality
