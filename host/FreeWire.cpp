#include "host/FreeWire.h"

#include "host/HostCall.h"

namespace pathwick {

namespace {
constexpr int32_t WireKind = 18;
constexpr int32_t FreeObjectMode = 0;
} // namespace

HostRef<ISch_Wire> NewFreeWire(ISch_EditorService& service) {
    HostRef<ISch_BasicContainer> object;
    HostCall(service.NewObject(WireKind, FreeObjectMode, object.Put()));
    return QueryAs<ISch_Wire>(object);
}

} // namespace pathwick
