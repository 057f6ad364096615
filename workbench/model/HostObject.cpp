#include "workbench/model/HostObject.h"

#include "workbench/model/FaultPlan.h"

namespace pathwick::workbench {

namespace {
// Plain integers with constant initialisation: safe to touch from objects
// destroyed during program exit.
std::size_t g_live = 0;
uint64_t g_nextId = 1;
} // namespace

THostObject::THostObject() : id_(g_nextId++) {
    ++g_live;
}

THostObject::~THostObject() {
    --g_live;
}

uint32_t THostObject::AddRef() {
    return ++refs_;
}

uint32_t THostObject::Release() {
    const uint32_t left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

THostResult THostObject::QueryInterfaceImpl(const TGuid& iid, void** out) {
    const THostResult status = Enter("QueryInterface");
    if (!Succeeded(status)) {
        if (out)
            *out = nullptr;
        return status;
    }
    if (!out)
        return HostInvalidArg;
    void* found = FindInterface(iid);
    *out = found;
    if (!found)
        return HostNoInterface;
    AddRef();
    return HostOk;
}

THostResult THostObject::Enter(const char* operation) const {
    return HostFaults().Enter(operation, id_);
}

std::size_t LiveHostObjectCount() {
    return g_live;
}

} // namespace pathwick::workbench
