#include "workbench/model/SheetObjects.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>
#include <limits>

namespace pathwick::workbench {

int32_t SaturatingAdd(int32_t a, int64_t b) {
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    // b is clamped first so that the sum itself cannot overflow int64_t.
    const int64_t sum = int64_t{a} + std::clamp(b, 2 * lo, 2 * hi);
    return static_cast<int32_t>(std::clamp(sum, lo, hi));
}

TSheetRect BoxOf(TSheetPoint a, TSheetPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TGraphic::TGraphic(int32_t kind, TSheetRect bounds) : TSheetObjectOf(kind) {
    SetBounds(bounds);
    SetAnchor({bounds.Left, bounds.Bottom});
}

THostRef<TGraphic> TGraphic::Create(int32_t kind, TSheetRect bounds) {
    return THostRef<TGraphic>::Adopt(new TGraphic(kind, bounds));
}

THostRef<TGraphic> MakeJunction(TSheetPoint at) {
    const TSheetRect square = {
        SaturatingAdd(at.X, -JunctionRadius), SaturatingAdd(at.Y, -JunctionRadius),
        SaturatingAdd(at.X, JunctionRadius), SaturatingAdd(at.Y, JunctionRadius)};
    THostRef<TGraphic> junction = TGraphic::Create(kinds::Junction, square);
    junction->SetAnchor(at);
    return junction;
}

TLineObject::TLineObject(int32_t kind, TSheetPoint anchor, TSheetPoint end)
    : TSheetObjectOf(kind), end_(end) {
    SetAnchor(anchor);
    SetBounds(BoxOf(anchor, end));
}

THostRef<TLineObject> TLineObject::Create(int32_t kind, TSheetPoint anchor, TSheetPoint end) {
    return THostRef<TLineObject>::Adopt(new TLineObject(kind, anchor, end));
}

void* TLineObject::FindInterface(const TGuid& iid) {
    if (iid == ISch_Line::IID)
        return static_cast<ISch_Line*>(this);
    if (iid == ISch_BusEntry::IID)
        return Kind() == kinds::BusEntry ? static_cast<ISch_BusEntry*>(this) : nullptr;
    return TSheetObjectOf::FindInterface(iid);
}

TLabel::TLabel(TSheetRect bounds, std::string text) : TSheetObjectOf(kinds::Label) {
    SetBounds(bounds);
    SetAnchor({bounds.Left, bounds.Bottom});
    SetText(std::move(text));
}

THostRef<TLabel> TLabel::Create(TSheetRect bounds, std::string text) {
    return THostRef<TLabel>::Adopt(new TLabel(bounds, std::move(text)));
}

void* TLabel::FindInterface(const TGuid& iid) {
    if (iid == ISch_TextTag::IID)
        return static_cast<ISch_TextTag*>(this);
    return TSheetObjectOf::FindInterface(iid);
}

TPin::TPin(TSheetPoint anchor, int32_t orientation, int32_t leadLength)
    : TSheetObjectOf(kinds::Pin), orientation_(orientation), leadLength_(leadLength) {
    SetAnchor(anchor);
    SetBounds(LeadBox());
}

THostRef<TPin> TPin::Create(TSheetPoint anchor, int32_t orientation, int32_t leadLength) {
    return THostRef<TPin>::Adopt(new TPin(anchor, orientation, leadLength));
}

TSheetPoint TPin::LeadEnd() const {
    TSheetPoint end = Anchor();
    switch (orientation_) {
    case 0:
        end.X = SaturatingAdd(end.X, leadLength_);
        break;
    case 1:
        end.Y = SaturatingAdd(end.Y, leadLength_);
        break;
    case 2:
        end.X = SaturatingAdd(end.X, -int64_t{leadLength_});
        break;
    case 3:
        end.Y = SaturatingAdd(end.Y, -int64_t{leadLength_});
        break;
    default:
        break;
    }
    return end;
}

TSheetRect TPin::LeadBox() const {
    return BoxOf(Anchor(), LeadEnd());
}

void* TPin::FindInterface(const TGuid& iid) {
    if (iid == ISch_SymbolPin::IID)
        return static_cast<ISch_SymbolPin*>(this);
    return TSheetObjectOf::FindInterface(iid);
}

} // namespace pathwick::workbench
