// Reference counting, identity and live-object accounting for the workbench host.
#pragma once

#include "host/HostRef.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace pathwick::workbench {

// Base of every object the workbench host hands out. Counts its references
// (a new object starts with one, owned by whoever created it) and frees itself
// when the count reaches zero. A process-wide registry counts the live objects,
// so tests can prove that every reference was released.
class THostObject {
public:
    THostObject(const THostObject&) = delete;
    THostObject& operator=(const THostObject&) = delete;

    uint32_t AddRef();
    uint32_t Release();
    uint32_t RefCount() const { return refs_; }
    // A serial number, unique for the life of the process; the fault plan's
    // per-object counts and log use it.
    uint64_t Id() const { return id_; }

protected:
    THostObject();
    virtual ~THostObject();

    // The interface pointer for iid, or null; adds no reference.
    virtual void* FindInterface(const TGuid& iid) = 0;
    // QueryInterface for every workbench object: counted by the fault plan.
    THostResult QueryInterfaceImpl(const TGuid& iid, void** out);
    // Counts one host operation with the fault plan. A failing status means
    // the operation must do nothing and return that status.
    THostResult Enter(const char* operation) const;

private:
    uint32_t refs_ = 1;
    uint64_t id_;
};

// Number of workbench host objects alive now.
std::size_t LiveHostObjectCount();

// Creates a host object and adopts its first reference.
template <class T, class... Args> THostRef<T> MakeHostObject(Args&&... args) {
    return THostRef<T>::Adopt(new T(std::forward<Args>(args)...));
}

} // namespace pathwick::workbench
