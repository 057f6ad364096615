#include "bench/quality/SheetNets.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace pathwick::quality {

namespace wb = workbench;

namespace {

class TUnionFind {
public:
    int Add() {
        parent_.push_back(static_cast<int>(parent_.size()));
        return parent_.back();
    }
    // Iterative, with path halving: no recursion on long chains.
    int Find(int x) {
        while (parent_[x] != x) {
            parent_[x] = parent_[parent_[x]];
            x = parent_[x];
        }
        return x;
    }
    void Join(int a, int b) { parent_[Find(a)] = Find(b); }
    int Size() const { return static_cast<int>(parent_.size()); }

private:
    std::vector<int> parent_;
};

using TKey = std::pair<int32_t, int32_t>;

TKey KeyOf(TSheetPoint p) {
    return {p.X, p.Y};
}

TSheetRect Unite(const TSheetRect& a, const TSheetRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Bottom, b.Bottom), std::max(a.Right, b.Right),
            std::max(a.Top, b.Top)};
}

TSheetRect Normalised(const TSheetRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Bottom, r.Top), std::max(r.Left, r.Right),
            std::max(r.Bottom, r.Top)};
}

bool Belongs(const wb::TSheetObject& child, const wb::TSymbol& symbol) {
    return child.Part() == symbol.CurrentPart() && child.View() == symbol.CurrentView();
}

} // namespace

TSheetNets::TSheetNets(const wb::TSheetDocument& sheet) {
    // Elements of the union: one per object that conducts; points and runs
    // carry their element until the nets are numbered.
    TUnionFind sets;
    std::map<const wb::TSheetObject*, int> elementOf;
    std::map<std::string, int> labelNames, powerNames;
    const auto element = [&](const wb::TSheetObject* owner) {
        const auto [it, added] = elementOf.try_emplace(owner, 0);
        if (added)
            it->second = sets.Add();
        return it->second;
    };
    const auto addPoint = [&](TSheetPoint at, TPointKind kind, const wb::TSheetObject* owner) {
        points_.push_back({at, kind, element(owner), owner});
    };

    for (const auto& held : sheet.Objects()) {
        const wb::TSheetObject* object = held.Get();
        const int32_t kind = object->Kind();
        if (const auto* line = dynamic_cast<const wb::TPolyline*>(object)) {
            if (kind != wb::kinds::Wire && kind != wb::kinds::Bus)
                continue;
            const std::vector<TSheetPoint> vertices = line->Vertices();
            for (const TSegment& s : SegmentsOf(vertices))
                runs_.push_back({s, element(object), object, kind == wb::kinds::Bus});
            if (kind == wb::kinds::Wire)
                for (const TSheetPoint& v : vertices)
                    addPoint(v, TPointKind::WireVertex, object);
        } else if (kind == wb::kinds::Junction) {
            addPoint(object->Anchor(), TPointKind::Junction, object);
        } else if (kind == wb::kinds::Port) {
            addPoint(object->Anchor(), TPointKind::Label, object);
            const auto [it, added] = labelNames.try_emplace(object->Text(), element(object));
            if (!added)
                sets.Join(element(object), it->second);
        } else if (const auto* entry = dynamic_cast<const wb::TLineObject*>(object)) {
            if (kind != wb::kinds::BusEntry)
                continue;
            addPoint(entry->Anchor(), TPointKind::BusEntry, object);
            addPoint(entry->End(), TPointKind::BusEntry, object);
        } else if (const auto* symbol = dynamic_cast<const wb::TSymbol*>(object)) {
            TBody body;
            body.Name = symbol->Label() ? symbol->Label()->Text() : std::string();
            for (const auto& child : symbol->ChildList()) {
                if (!Belongs(*child, *symbol))
                    continue;
                const auto* pin = dynamic_cast<const wb::TPin*>(child.Get());
                if (!pin) {
                    const TSheetRect box = Normalised(child->Bounds());
                    body.Box = body.HasBox ? Unite(body.Box, box) : box;
                    body.HasBox = true;
                    continue;
                }
                if (pin->Hidden()) {
                    addPoint(pin->Anchor(), TPointKind::HiddenPin, pin);
                    const auto [it, added] = powerNames.try_emplace(pin->Text(), element(pin));
                    if (!added)
                        sets.Join(element(pin), it->second);
                } else {
                    addPoint(pin->Anchor(), TPointKind::Pin, pin);
                    if (!(pin->Anchor() == pin->LeadEnd()))
                        body.Leads.push_back({{pin->Anchor(), pin->LeadEnd()}, pin->Anchor()});
                }
            }
            bodies_.push_back(std::move(body));
        }
    }

    // Things at one point are joined; so is a point on a wire with the wire.
    std::map<TKey, int> firstAt;
    for (const TNetPoint& p : points_) {
        const auto [it, added] = firstAt.try_emplace(KeyOf(p.At), p.Net);
        if (!added)
            sets.Join(p.Net, it->second);
    }
    for (const TNetRun& run : runs_) {
        if (run.Bus)
            continue;
        for (const TNetPoint& p : points_)
            if (OnSegment(run.Run, p.At))
                sets.Join(p.Net, run.Net);
    }

    // Number the nets 0, 1, ... in the order of their first element.
    std::vector<int> number(static_cast<std::size_t>(sets.Size()), -1);
    const auto netOf = [&](int e) {
        int& n = number[static_cast<std::size_t>(sets.Find(e))];
        if (n < 0)
            n = netCount_++;
        return n;
    };
    for (TNetRun& run : runs_)
        run.Net = netOf(run.Net);
    for (TNetPoint& p : points_)
        p.Net = netOf(p.Net);
}

int TSheetNets::NetOf(const wb::TSheetObject* object) const {
    for (const TNetRun& run : runs_)
        if (run.Owner == object)
            return run.Net;
    for (const TNetPoint& p : points_)
        if (p.Owner == object)
            return p.Net;
    return -1;
}

} // namespace pathwick::quality
