#include "workbench/model/ObjectEnumerator.h"

#include "workbench/model/ObjectKinds.h"

namespace pathwick::workbench {

namespace {
std::size_t g_unfreed = 0;
} // namespace

std::size_t UnfreedEnumeratorCount() {
    return g_unfreed;
}

TObjectEnumerator::TObjectEnumerator(TSheetObject& container)
    : container_(HostRef<TSheetObject>::Share(&container)) {
    ++g_unfreed;
}

HResult TObjectEnumerator::SetKindFilter(const uint64_t& kinds) {
    const HResult status = Enter("SetKindFilter");
    if (!Succeeded(status))
        return status;
    filter_ = kinds;
    return kHostOk;
}

HResult TObjectEnumerator::SetEnumerationMode(int32_t mode) {
    const HResult status = Enter("SetEnumerationMode");
    if (!Succeeded(status))
        return status;
    return mode == 0 ? kHostOk : kHostInvalidArg;
}

HResult TObjectEnumerator::FirstObject(ISch_BasicContainer** object) {
    return Step("FirstObject", true, object);
}

HResult TObjectEnumerator::NextObject(ISch_BasicContainer** object) {
    return Step("NextObject", false, object);
}

HResult TObjectEnumerator::Step(const char* operation, bool restart, ISch_BasicContainer** object) {
    if (object)
        *object = nullptr;
    const HResult status = Enter(operation);
    if (!Succeeded(status))
        return status;
    if (!object)
        return kHostInvalidArg;
    if (!container_)
        return kHostFail;
    if (restart)
        next_ = 0;
    const TObjectList* list = container_->Children();
    if (!list)
        return kHostOk;
    while (next_ < list->size()) {
        TSheetObject& candidate = *(*list)[next_++];
        if (filter_ && !KindInSet(candidate.Kind(), *filter_))
            continue;
        *object = candidate.AsContainer();
        (*object)->AddRef();
        return kHostOk;
    }
    return kHostOk;
}

HResult TObjectEnumerator::End(TSheetObject& container) {
    if (container_.Get() != &container)
        return kHostInvalidArg; // freed already, or belongs to another container
    container_.Reset();
    --g_unfreed;
    return kHostOk;
}

void* TObjectEnumerator::FindInterface(const TGuid& iid) {
    if (iid == IHostUnknown::IID)
        return static_cast<IHostUnknown*>(this);
    if (iid == ISch_ObjectEnumerator::IID)
        return static_cast<ISch_ObjectEnumerator*>(this);
    return nullptr;
}

HResult NewEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator** out) {
    if (!out)
        return kHostInvalidArg;
    *out = new TObjectEnumerator(container);
    return kHostOk;
}

HResult FreeEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator* enumerator) {
    auto* own = dynamic_cast<TObjectEnumerator*>(enumerator);
    if (!own)
        return kHostInvalidArg;
    return own->End(container);
}

} // namespace pathwick::workbench
