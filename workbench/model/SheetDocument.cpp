#include "workbench/model/SheetDocument.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>
#include <stdexcept>

namespace pathwick::workbench {

TSheetDocument::TSheetDocument(int32_t width, int32_t height)
    : TSheetObjectOf(kinds::Document), width_(width), height_(height) {}

THostRef<TSheetDocument> TSheetDocument::Create(int32_t width, int32_t height) {
    return THostRef<TSheetDocument>::Adopt(new TSheetDocument(width, height));
}

void TSheetDocument::SetSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
}

void TSheetDocument::AddObject(TSheetObject& object) {
    if (dynamic_cast<TSheetDocument*>(&object))
        throw std::invalid_argument("a document cannot hold a document");
    objects_.push_back(THostRef<TSheetObject>::Share(&object));
}

bool TSheetDocument::RemoveObject(TSheetObject& object) {
    const auto it = std::find_if(objects_.begin(), objects_.end(),
                                 [&](const auto& held) { return held.Get() == &object; });
    if (it == objects_.end())
        return false;
    objects_.erase(it);
    return true;
}

void* TSheetDocument::FindInterface(const TGuid& iid) {
    if (iid == ISch_ParametrizedGroup::IID)
        return static_cast<ISch_ParametrizedGroup*>(this);
    if (iid == ISch_Document::IID)
        return static_cast<ISch_Document*>(this);
    return TSheetObjectOf::FindInterface(iid);
}

} // namespace pathwick::workbench
