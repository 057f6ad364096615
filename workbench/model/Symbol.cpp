#include "workbench/model/Symbol.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>
#include <stdexcept>

namespace pathwick::workbench {

TSymbol::TSymbol(TSheetRect bounds) : TSheetObjectOf(kinds::Symbol) {
    SetBounds(bounds);
    SetAnchor({bounds.Left, bounds.Bottom});
}

THostRef<TSymbol> TSymbol::Create(TSheetRect bounds) {
    return THostRef<TSymbol>::Adopt(new TSymbol(bounds));
}

void TSymbol::AddChild(TSheetObject& child) {
    const TObjectClass cls = ClassOfKind(child.Kind());
    if (dynamic_cast<TSymbol*>(&child) || cls == TObjectClass::Document || child.Children())
        throw std::invalid_argument("a symbol cannot hold a symbol or a document");
    children_.push_back(THostRef<TSheetObject>::Share(&child));
}

TSheetRect TSymbol::FittedBounds() const {
    bool any = false;
    TSheetRect box{};
    auto include = [&](const TSheetRect& r) {
        if (!any) {
            box = r;
            any = true;
            return;
        }
        box.Left = std::min(box.Left, r.Left);
        box.Bottom = std::min(box.Bottom, r.Bottom);
        box.Right = std::max(box.Right, r.Right);
        box.Top = std::max(box.Top, r.Top);
    };
    for (const auto& child : children_)
        include(child->Bounds());
    if (label_)
        include(label_->Bounds());
    return any ? box : Bounds();
}

THostResult TSymbol::GetLabel(ISch_TextTag** label) {
    const THostResult status = Enter("GetLabel");
    if (!Succeeded(status)) {
        if (label)
            *label = nullptr;
        return status;
    }
    if (!label)
        return HostInvalidArg;
    *label = label_.Get();
    if (*label)
        (*label)->AddRef();
    return HostOk;
}

void* TSymbol::FindInterface(const TGuid& iid) {
    if (iid == ISch_ParametrizedGroup::IID)
        return static_cast<ISch_ParametrizedGroup*>(this);
    if (iid == ISch_Symbol::IID)
        return static_cast<ISch_Symbol*>(this);
    return TSheetObjectOf::FindInterface(iid);
}

} // namespace pathwick::workbench
