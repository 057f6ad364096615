// A table of values keyed by a search state: a point and a direction.
#pragma once

#include "geometry/Direction.h"
#include "host/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pathwick {

// Mixes every bit of the state into every bit of the hash.
uint64_t StateHash(const TSheetPoint& p, TDirection d);

// Open addressing with linear probing in one vector, at most half full, so
// that adding a state allocates only when the table doubles. States are
// never removed.
template <class V> class TStateTable {
public:
    // The state's value, or null when the state is not in the table.
    const V* Find(const TSheetPoint& p, TDirection d) const {
        if (used_ == 0)
            return nullptr;
        const TSlot& slot = slots_[SlotOf(p, d)];
        return slot.Used ? &slot.Value : nullptr;
    }

    // The state's value; a new state starts with value.
    V& Insert(const TSheetPoint& p, TDirection d, const V& value) {
        if (2 * (used_ + 1) > slots_.size())
            Grow();
        TSlot& slot = slots_[SlotOf(p, d)];
        if (!slot.Used) {
            slot = TSlot{value, p, d, true};
            ++used_;
        }
        return slot.Value;
    }

    std::size_t Size() const { return used_; }

private:
    struct TSlot {
        V Value{};
        TSheetPoint P;
        TDirection D = TDirection::None;
        bool Used = false;
    };

    // The slot that holds the state, or the free slot where it belongs; the
    // table is never full, so the probe ends.
    std::size_t SlotOf(const TSheetPoint& p, TDirection d) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = static_cast<std::size_t>(StateHash(p, d)) & mask;
        while (slots_[i].Used && !(SamePoint(slots_[i].P, p) && slots_[i].D == d))
            i = (i + 1) & mask;
        return i;
    }

    void Grow() {
        std::vector<TSlot> previous(slots_.empty() ? 256 : 2 * slots_.size());
        previous.swap(slots_); // slots_ is now the larger, empty table
        for (const TSlot& s : previous) {
            if (s.Used)
                slots_[SlotOf(s.P, s.D)] = s;
        }
    }

    std::vector<TSlot> slots_; // a power of two in size
    std::size_t used_ = 0;
};

} // namespace pathwick
