// Walks over a container's objects for the host's enumerator interface.
#pragma once

#include "workbench/model/SheetObject.h"

#include <optional>

namespace pathwick::workbench {

// An enumerator over a document's objects or a symbol's children, in their
// order. It holds a reference on its container until FreeObjectEnumerator ends
// the walk; afterwards FirstObject and NextObject fail with HostFail. Without
// SetKindFilter every object comes (kinds outside 0..63 included); with a
// filter only objects whose kind k lies in 0..63 with bit k set. The filter
// may change during a walk and applies from the next step. Only enumeration
// mode 0 (plain order) exists; other modes fail with HostInvalidArg. The
// walk reads the live list by position, so objects added during a walk come
// at its end and removals never make it read past the end.
class TObjectEnumerator final : public THostObject, public ISch_ObjectEnumerator {
public:
    explicit TObjectEnumerator(TSheetObject& container);

    THostResult QueryInterface(const TGuid& iid, void** out) override {
        return QueryInterfaceImpl(iid, out);
    }
    uint32_t AddRef() override { return THostObject::AddRef(); }
    uint32_t Release() override { return THostObject::Release(); }

    THostResult SetKindFilter(const uint64_t& kinds) override;
    THostResult SetEnumerationMode(int32_t mode) override;
    THostResult FirstObject(ISch_BasicContainer** object) override;
    THostResult NextObject(ISch_BasicContainer** object) override;

    // Called by the container's FreeObjectEnumerator.
    THostResult End(TSheetObject& container);
    bool Ended() const { return !container_; }
    std::optional<uint64_t> KindFilter() const { return filter_; }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    THostResult Step(const char* operation, bool restart, ISch_BasicContainer** object);

    THostRef<TSheetObject> container_;
    std::optional<uint64_t> filter_;
    std::size_t next_ = 0;
};

// Enumerators handed out and not yet ended by FreeObjectEnumerator, in the
// whole process: tests use it to prove that every walk was freed.
std::size_t UnfreedEnumeratorCount();

} // namespace pathwick::workbench
