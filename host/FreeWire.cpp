#include "host/FreeWire.h"

#include "host/HostCall.h"
#include "host/ObjectKinds.h"

namespace pathwick {

namespace {
// The mode in which NewObject makes an object that is not on any sheet.
constexpr int32_t FreeObjectMode = 0;
} // namespace

THostRef<ISch_Wire> NewFreeWire(ISch_EditorService& service) {
    THostRef<ISch_BasicContainer> object;
    HostCall(service.NewObject(kinds::Wire, FreeObjectMode, object.Put()));
    return QueryAs<ISch_Wire>(object);
}

} // namespace pathwick
