// What a search has proven about the states whose whole subtree it explored.
#pragma once

#include "router/StateTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace pathwick {

// For each state (a point and the direction of the move that reached it), the
// largest proven cost to go: a weight that some prefix of every way on from
// the state to the target reaches.
class TVisitTable {
public:
    // Nothing is known of the state.
    static constexpr int64_t Unknown = std::numeric_limits<int64_t>::min();
    // No way on from the state reaches the target at all.
    static constexpr int64_t Unreachable = std::numeric_limits<int64_t>::max();

    // Records a proven cost to go of the state; the table keeps the largest.
    void Raise(const TSheetPoint& p, TDirection incoming, int64_t toGo) {
        int64_t& kept = table_.Insert(p, incoming, toGo);
        kept = std::max(kept, toGo);
    }
    // The largest cost to go recorded for the state, or Unknown.
    int64_t ToGo(const TSheetPoint& p, TDirection incoming) const {
        const int64_t* kept = table_.Find(p, incoming);
        return kept ? *kept : Unknown;
    }
    std::size_t Size() const { return table_.Size(); }

private:
    TStateTable<int64_t> table_;
};

} // namespace pathwick
