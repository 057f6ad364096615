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
    : container_(THostRef<TSheetObject>::Share(&container)) {
    ++g_unfreed;
}

THostResult TObjectEnumerator::SetKindFilter(const uint64_t& kinds) {
    const THostResult status = Enter("SetKindFilter");
    if (!Succeeded(status))
        return status;
    filter_ = kinds;
    return HostOk;
}

THostResult TObjectEnumerator::SetEnumerationMode(int32_t mode) {
    const THostResult status = Enter("SetEnumerationMode");
    if (!Succeeded(status))
        return status;
    return mode == 0 ? HostOk : HostInvalidArg;
}

THostResult TObjectEnumerator::FirstObject(ISch_BasicContainer** object) {
    return Step("FirstObject", true, object);
}

THostResult TObjectEnumerator::NextObject(ISch_BasicContainer** object) {
    return Step("NextObject", false, object);
}

THostResult TObjectEnumerator::Step(const char* operation, bool restart,
                                    ISch_BasicContainer** object) {
    if (object)
        *object = nullptr;
    const THostResult status = Enter(operation);
    if (!Succeeded(status))
        return status;
    if (!object)
        return HostInvalidArg;
    if (!container_)
        return HostFail;
    if (restart)
        next_ = 0;
    const TObjectList* list = container_->Children();
    if (!list)
        return HostOk;
    while (next_ < list->size()) {
        TSheetObject& candidate = *(*list)[next_++];
        if (filter_ && !KindInSet(candidate.Kind(), *filter_))
            continue;
        *object = candidate.AsContainer();
        (*object)->AddRef();
        return HostOk;
    }
    return HostOk;
}

THostResult TObjectEnumerator::End(TSheetObject& container) {
    if (container_.Get() != &container)
        return HostInvalidArg; // freed already, or belongs to another container
    container_.Reset();
    --g_unfreed;
    return HostOk;
}

void* TObjectEnumerator::FindInterface(const TGuid& iid) {
    if (iid == IHostUnknown::IID)
        return static_cast<IHostUnknown*>(this);
    if (iid == ISch_ObjectEnumerator::IID)
        return static_cast<ISch_ObjectEnumerator*>(this);
    return nullptr;
}

THostResult NewEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator** out) {
    if (!out)
        return HostInvalidArg;
    *out = new TObjectEnumerator(container);
    return HostOk;
}

THostResult FreeEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator* enumerator) {
    auto* own = dynamic_cast<TObjectEnumerator*>(enumerator);
    if (!own)
        return HostInvalidArg;
    return own->End(container);
}

} // namespace pathwick::workbench
