#include "workbench/kicad/WireChains.h"

#include "workbench/kicad/Connections.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"

#include <map>
#include <set>
#include <utility>

namespace pathwick::workbench::kicad {

namespace {

using TKey = std::pair<int32_t, int32_t>;

TKey KeyOf(const TSheetPoint& p) {
    return {p.X, p.Y};
}

} // namespace

std::vector<TWireChain> WireChains(const TSheetDocument& sheet) {
    const TObjectList& objects = sheet.Objects();
    std::vector<std::size_t> wires;
    std::map<TKey, std::vector<std::size_t>> ends; // wire positions by end point
    std::map<TKey, std::vector<std::size_t>> junctions;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const auto* wire = dynamic_cast<const TPolyline*>(objects[i].Get());
        if (wire && wire->Kind() == kinds::Wire && wire->VertexCount() >= 2) {
            wires.push_back(i);
            ends[KeyOf(wire->Vertices().front())].push_back(i);
            ends[KeyOf(wire->Vertices().back())].push_back(i);
        } else if (objects[i]->Kind() == kinds::Junction) {
            junctions[KeyOf(objects[i]->Anchor())].push_back(i);
        }
    }
    std::set<TKey> pins;
    for (const TSheetPoint& p : PinPoints(sheet))
        pins.insert(KeyOf(p));
    const auto passesThrough = [&](const TKey& k) {
        return ends[k].size() == 2 && !pins.count(k) && !junctions.count(k);
    };
    const auto otherEnd = [&](std::size_t w, const TKey& k) {
        const auto* wire = static_cast<const TPolyline*>(objects[w].Get());
        const TKey front = KeyOf(wire->Vertices().front());
        return front == k ? KeyOf(wire->Vertices().back()) : front;
    };

    std::set<std::size_t> taken;
    std::vector<TWireChain> chains;
    for (std::size_t first : wires) {
        if (taken.count(first))
            continue;
        taken.insert(first);
        std::vector<std::size_t> members{first};
        const auto* wire = static_cast<const TPolyline*>(objects[first].Get());
        TKey chainEnds[2] = {KeyOf(wire->Vertices().front()), KeyOf(wire->Vertices().back())};
        for (TKey& end : chainEnds) {
            while (passesThrough(end)) {
                const std::vector<std::size_t>& at = ends[end];
                const std::size_t next = taken.count(at[0]) ? at[1] : at[0];
                if (taken.count(next))
                    break; // a closed loop
                taken.insert(next);
                members.push_back(next);
                end = otherEnd(next, end);
            }
        }
        if (chainEnds[0] == chainEnds[1])
            continue;
        TWireChain chain{{chainEnds[0].first, chainEnds[0].second},
                         {chainEnds[1].first, chainEnds[1].second},
                         members};
        for (const TKey& end : chainEnds) {
            const auto it = junctions.find(end);
            if (it != junctions.end())
                chain.Objects.insert(chain.Objects.end(), it->second.begin(), it->second.end());
        }
        chains.push_back(std::move(chain));
    }
    return chains;
}

} // namespace pathwick::workbench::kicad
