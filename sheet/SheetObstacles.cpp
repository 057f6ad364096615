#include "sheet/SheetObstacles.h"

#include "geometry/Int32Clamp.h"
#include "geometry/ObstacleKinds.h"
#include "host/HostCall.h"

#include <optional>
#include <utility>

namespace pathwick {

namespace {

inline constexpr int32_t PinLeadRight = 0;
inline constexpr int32_t PinLeadUp = 1;
inline constexpr int32_t PinLeadLeft = 2;
inline constexpr int32_t PinLeadDown = 3;

// Hands an enumerator back to its container on every path. Free() reports a
// failing status; when an error is already on its way out, the destructor
// frees quietly, since a second error cannot be raised then.
class TEnumeratorWalk {
public:
    TEnumeratorWalk(ISch_BasicContainer& owner, THostRef<ISch_ObjectEnumerator> e)
        : owner_(owner), e_(std::move(e)) {}
    TEnumeratorWalk(const TEnumeratorWalk&) = delete;
    TEnumeratorWalk& operator=(const TEnumeratorWalk&) = delete;
    ~TEnumeratorWalk() {
        if (e_)
            owner_.FreeObjectEnumerator(e_.Get());
    }

    ISch_ObjectEnumerator* operator->() const { return e_.Get(); }
    explicit operator bool() const { return static_cast<bool>(e_); }

    void Free() {
        if (!e_)
            return;
        THostRef<ISch_ObjectEnumerator> e = std::move(e_);
        HostCall(owner_.FreeObjectEnumerator(e.Get()));
    }

private:
    ISch_BasicContainer& owner_;
    THostRef<ISch_ObjectEnumerator> e_;
};

THostRef<ISch_ObjectEnumerator> NewEnumerator(ISch_BasicContainer& owner) {
    THostRef<ISch_ObjectEnumerator> e;
    HostCall(owner.NewObjectEnumerator(e.Put()));
    return e;
}

// Calls f(ISch_GraphicalObject&) for every object the enumerator yields. An
// object that is not graphical raises EInterfaceConversion.
template <class F> void ForEachObject(TEnumeratorWalk& walk, F&& f) {
    if (!walk)
        return;
    THostRef<ISch_BasicContainer> object;
    HostCall(walk->FirstObject(object.Put()));
    while (object) {
        THostRef<ISch_GraphicalObject> g = CastAs<ISch_GraphicalObject>(object);
        f(*g);
        HostCall(walk->NextObject(object.Put()));
    }
}

int32_t KindOf(ISch_BasicContainer& object) {
    int32_t kind = 0;
    HostCall(object.GetObjectKind(&kind));
    return kind;
}

TSheetRect BoundingRectOf(ISch_GraphicalObject& object) {
    TSheetRect r;
    HostCall(object.GetBoundingRect(&r));
    return r;
}

TSheetPoint AnchorOf(ISch_GraphicalObject& object) {
    TSheetPoint p;
    HostCall(object.GetAnchorPoint(&p));
    return p;
}

// The child belongs to the symbol's current part and view. The views are
// asked only when the parts agree.
bool InCurrentAppearance(ISch_Symbol& symbol, ISch_GraphicalObject& child) {
    int32_t part = 0;
    HostCall(symbol.GetCurrentPartNumber(&part));
    int32_t childPart = 0;
    HostCall(child.GetPartNumber(&childPart));
    if (part != childPart)
        return false;
    uint8_t view = 0;
    HostCall(symbol.GetCurrentViewNumber(&view));
    uint8_t childView = 0;
    HostCall(child.GetViewNumber(&childView));
    return view == childView;
}

// A visible pin: where it connects, and its lead as a flat rectangle from there.
struct TPinLead {
    TSheetPoint Anchor;
    TBoundingRect Lead;
};

// A visible pin's lead; nothing for a pin that contributes nothing (no pin
// interface, or hidden while hidden pins are not shown). Leads reaching past
// the int32 range stop at its limit.
std::optional<TPinLead> PinLead(ISch_GraphicalObject& child, bool showHidden) {
    THostRef<ISch_SymbolPin> pin = QueryAs<ISch_SymbolPin>(&child);
    if (!pin)
        return std::nullopt;
    if (!showHidden) {
        bool hidden = false;
        HostCall(pin->GetPinHidden(&hidden));
        if (hidden)
            return std::nullopt;
    }
    const TSheetPoint a = AnchorOf(*pin);
    TBoundingRect lead(a.X, a.Y, a.X, a.Y);
    int32_t orientation = 0;
    HostCall(pin->GetOrientation(&orientation));
    if (orientation < PinLeadRight || orientation > PinLeadDown)
        return TPinLead{a, lead};
    int32_t length = 0;
    HostCall(pin->GetLeadLength(&length));
    switch (orientation) {
    case PinLeadRight:
        lead.Right = SaturatingAdd(lead.Left, length);
        break;
    case PinLeadUp:
        lead.Top = SaturatingAdd(lead.Top, length);
        break;
    case PinLeadLeft:
        lead.Left = SaturatingSub(lead.Left, length);
        break;
    default:
        lead.Bottom = SaturatingSub(lead.Top, length);
        break;
    }
    return TPinLead{a, lead};
}

// A bus entry: the box spanned by its two ends (kind 7); nothing without the
// bus-entry interface.
void AddBusEntry(TObstacleTree& tree, ISch_GraphicalObject& object) {
    THostRef<ISch_BusEntry> entry = QueryAs<ISch_BusEntry>(&object);
    if (!entry)
        return;
    const TSheetPoint p = AnchorOf(*entry);
    TSheetPoint q;
    HostCall(entry->GetEndPoint(&q));
    tree.AddRect(
        TBoundingRect(MinInt(p.X, q.X), MinInt(p.Y, q.Y), MaxInt(p.X, q.X), MaxInt(p.Y, q.Y)),
        kinds::BusEntry);
}

// A point object: the 2 x 2 square round its anchor (kind 15).
void AddPointObject(TObstacleTree& tree, ISch_GraphicalObject& object) {
    BoundingRectOf(object); // asked as the host expects; the anchor decides
    const TSheetPoint p = AnchorOf(object);
    tree.AddRect(TBoundingRect(SaturatingSub(p.X, 1), SaturatingSub(p.Y, 1), SaturatingAdd(p.X, 1),
                               SaturatingAdd(p.Y, 1)),
                 kinds::Junction);
}

// A label widened by w on each side and narrowed by 1 at top and bottom
// (kind 23), unless it is hidden. A null label adds nothing.
void AddLabel(TObstacleTree& tree, ISch_TextTag* label, int32_t w) {
    if (!label)
        return;
    TBoundingRect r(BoundingRectOf(*label));
    r.Normalize();
    r.Left = SaturatingSub(r.Left, w);
    r.Right = SaturatingAdd(r.Right, w);
    r.Top = SaturatingSub(r.Top, 1);
    r.Bottom = SaturatingAdd(r.Bottom, 1);
    bool hidden = false;
    HostCall(label->GetLabelHidden(&hidden));
    if (!hidden)
        tree.AddRect(r, kinds::Label);
}

// A symbol: one box over its current part and view's children and pin leads
// (kind 24), then its label.
void AddSymbol(TObstacleTree& tree, ISch_GraphicalObject& object) {
    THostRef<ISch_Symbol> symbol = QueryAs<ISch_Symbol>(&object);
    if (!symbol)
        return;
    TBoundingRect box;
    bool first = true;
    {
        TEnumeratorWalk walk(*symbol, NewEnumerator(*symbol));
        if (walk) {
            HostCall(walk->SetKindFilter(SymbolKindFilter));
            HostCall(walk->SetEnumerationMode(0));
        }
        bool showHidden = false;
        HostCall(symbol->GetHiddenPinsVisible(&showHidden));
        ForEachObject(walk, [&](ISch_GraphicalObject& child) {
            if (!InCurrentAppearance(*symbol, child))
                return;
            if (KindOf(child) == kinds::Pin) {
                const std::optional<TPinLead> pin = PinLead(child, showHidden);
                if (!pin)
                    return;
                tree.Pins.Add(pin->Anchor);
                if (first)
                    box.Assign(pin->Lead);
                else
                    box.Include(pin->Lead);
            } else {
                const TSheetRect r = BoundingRectOf(child);
                if (first)
                    box.SetRect(r);
                else
                    box.IncludeRect(r);
            }
            first = false;
        });
        walk.Free();
    }
    if (!first)
        tree.AddRect(box, kinds::Symbol);
    THostRef<ISch_TextTag> label;
    HostCall(symbol->GetLabel(label.Put()));
    AddLabel(tree, label.Get(), 1);
}

// Where a port connects, for the mended rules. Its box runs from its anchor
// the way its label reads: the anchor lies on the box's end across that way
// and on neither of the box's sides along it.
void AddPortPoint(TObstacleTree& tree, const TSheetPoint& anchor, TBoundingRect box) {
    box.Normalize();
    const bool endAcrossX = anchor.X == box.Left || anchor.X == box.Right;
    const bool endAcrossY = anchor.Y == box.Bottom || anchor.Y == box.Top;
    const bool readsAlongX = endAcrossX && !endAcrossY;
    const bool readsAlongY = endAcrossY && !endAcrossX;
    if (!readsAlongX)
        tree.PortsAcrossX.Add(anchor);
    if (!readsAlongY)
        tree.PortsAcrossY.Add(anchor);
}

void AddSheetObstacles(TObstacleTree& tree, ISch_Document& document, int32_t margin) {
    TEnumeratorWalk walk(document, NewEnumerator(document));
    if (walk) {
        HostCall(walk->SetEnumerationMode(0));
        HostCall(walk->SetKindFilter(SheetKindFilter));
    }
    ForEachObject(walk, [&](ISch_GraphicalObject& object) {
        const int32_t kind = KindOf(object);
        const TBoundingRect rb(BoundingRectOf(object));
        switch (kind) {
        case kinds::BusEntry:
            AddBusEntry(tree, object);
            break;
        case kinds::Junction:
            AddPointObject(tree, object);
            break;
        case kinds::Polyline:
        case kinds::Wire:
        case kinds::Bus:
            AddPolyline(tree, &object);
            break;
        case kinds::Rectangle:
        case kinds::RoundRectangle: {
            // margin + 1 saturates at the int32 maximum.
            tree.AddRect(rb.Deflated(SaturatingAdd(margin, 1)), kind);
            break;
        }
        case kinds::Label:
            // A label kind without the label interface has no hidden flag to
            // honour and adds nothing, like the other handlers' objects.
            AddLabel(tree, QueryAs<ISch_TextTag>(&object).Get(), 1);
            break;
        case kinds::Symbol:
            AddSymbol(tree, object);
            break;
        case kinds::Port:
            tree.AddRect(rb, kind);
            AddPortPoint(tree, AnchorOf(object), rb);
            break;
        case kinds::Parameter:
            break; // its code is the tree's sheet frame
        default:
            tree.AddRect(rb, kind);
            break;
        }
    });
    walk.Free();
    tree.AddRect(tree.Sheet, KindSheetFrame);
}

} // namespace

void AddPolyline(TObstacleTree& tree, IHostUnknown* polyline) {
    THostRef<ISch_BasicPolyline> line = QueryAs<ISch_BasicPolyline>(polyline);
    if (!line)
        return;
    const auto vertex = [&](int32_t i) {
        TSheetPoint p;
        HostCall(line->GetVertex(i, &p));
        return p;
    };
    const auto count = [&] {
        int32_t n = 0;
        HostCall(line->GetVertexCount(&n));
        return n;
    };
    // The count is asked first: a polyline of fewer than two vertices has no
    // run, and its vertex 1 may not exist.
    const int32_t n = count();
    if (n < 2)
        return;
    TSheetPoint anchor = vertex(1);
    TSheetPoint cur = anchor;     // vertex i
    TSheetPoint next = vertex(2); // vertex i + 1
    TSheetPoint after;            // vertex i + 2, when read
    bool haveAfter = false;
    for (int32_t i = 1; i < n; ++i) {
        if (i > 1) {
            cur = next;
            next = haveAfter ? after : vertex(i + 1);
            haveAfter = false;
        }
        const TAxis a1 = SegmentAxis(cur, next);
        if (a1 == TAxis::Neither) {
            anchor = next; // diagonal segments add nothing
            continue;
        }
        TAxis a2 = TAxis::Neither;
        if (int64_t{i} + 2 <= count()) {
            after = vertex(i + 2);
            haveAfter = true;
            a2 = SegmentAxis(next, after);
        }
        if (a2 == a1)
            continue; // the run goes on
        TBoundingRect run;
        run.SetFromPoints(anchor, next);
        run.Normalize();
        tree.AddRect(run, kinds::Wire);
        anchor = next;
    }
}

void BuildFromDocument(TObstacleTree& tree, ISch_Document* document, int32_t margin) {
    if (!document) {
        // No sheet to read: the tree gets only the frame, as for an empty sheet.
        tree.AddRect(tree.Sheet, KindSheetFrame);
        return;
    }
    AddSheetObstacles(tree, *document, margin);
}

} // namespace pathwick
