// Object kind codes that the obstacle model gives meaning to, and the kind sets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace pathwick {

inline constexpr int32_t KindInnerNode = 0;
inline constexpr int32_t KindGuideLine = 5;
inline constexpr int32_t KindBusEntry = 7;
inline constexpr int32_t KindPointObject = 15;
inline constexpr int32_t KindPolyline = 17;
inline constexpr int32_t KindWire = 18; // also every straight run of a polyline in the tree
inline constexpr int32_t KindBus = 19;
inline constexpr int32_t KindInsetA = 21;
inline constexpr int32_t KindInsetB = 22;
inline constexpr int32_t KindLabel = 23;
inline constexpr int32_t KindSymbol = 24;
inline constexpr int32_t KindSheetFrame = 30;
inline constexpr int32_t KindPin = 35;
// The one margin-exempt kind that a blocked-point test still deflates by 1.
inline constexpr int32_t KindDeflatedByOne = 37;

// A 64-bit set over kinds 0..63; a kind outside that range is in no set.
constexpr uint64_t KindSet(std::initializer_list<int> kinds) {
    uint64_t s = 0;
    for (int k : kinds)
        if (k >= 0 && k < 64)
            s |= uint64_t{1} << k;
    return s;
}
constexpr bool InKindSet(uint64_t set, int32_t kind) {
    return kind >= 0 && kind < 64 && ((set >> kind) & 1u) != 0;
}

inline constexpr uint64_t SnapKinds = KindSet({2, 3, 7, 18, 19, 22, 24, 36, 37, 39, 46});
inline constexpr uint64_t MarginExemptKinds = KindSet({0, 15, 18, 19, 22, 37});

// The sheet objects a build asks for; 30 and the kinds the tree does not model stay out.
inline constexpr uint64_t SheetKindFilter =
    KindSet({2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
             24, 26, 28, 29, 33, 34, 35, 36, 37, 38, 39, 41, 46, 47, 51, 52, 53, 54, 56, 57, 59});
// A symbol's children: the sheet kinds and those that occur only inside symbols.
inline constexpr uint64_t SymbolKindFilter = SheetKindFilter | KindSet({30, 32, 48, 49, 50, 55});

// The fixed step to which ray clipping widens snapping obstacles, and the reach
// of its target shortcut.
inline constexpr int32_t SnapStep = 1000000;

} // namespace pathwick
