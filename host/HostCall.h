// The one call helper for host operations, and the errors of the host boundary.
#pragma once

#include "host/HostRef.h"

#include <stdexcept>
#include <string>

namespace pathwick {

// A host operation reported a failing status.
class EHostCallError : public std::runtime_error {
public:
    explicit EHostCallError(THostResult status);
    THostResult Status() const { return status_; }

private:
    THostResult status_;
};

// An object was used as an interface it does not support.
class EInterfaceConversion : public std::runtime_error {
public:
    EInterfaceConversion() : std::runtime_error("Interface not supported") {}
};

// Every host call goes through here: a failing status raises EHostCallError.
inline void HostCall(THostResult status) {
    if (!Succeeded(status))
        throw EHostCallError(status);
}

// Asks an object for interface T. Yields an empty reference when the object is
// null or lacks T; any other failing status raises.
template <class T, class U> THostRef<T> QueryAs(U* object) {
    if (!object)
        return {};
    void* out = nullptr;
    const THostResult status = object->QueryInterface(T::IID, &out);
    if (status == HostNoInterface)
        return {};
    HostCall(status);
    return THostRef<T>::Adopt(static_cast<T*>(out));
}
template <class T, class U> THostRef<T> QueryAs(const THostRef<U>& object) {
    return QueryAs<T>(object.Get());
}

// Like QueryAs, but an object that lacks T (or is null) raises EInterfaceConversion.
template <class T, class U> THostRef<T> CastAs(U* object) {
    THostRef<T> r = QueryAs<T>(object);
    if (!r)
        throw EInterfaceConversion();
    return r;
}
template <class T, class U> THostRef<T> CastAs(const THostRef<U>& object) {
    return CastAs<T>(object.Get());
}

} // namespace pathwick
