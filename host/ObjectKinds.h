// The host's object kind codes, named by object, and 64-bit kind sets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace pathwick {

// Codes as GetObjectKind reports them; the host uses 0 to 63. These are the
// ones that the module or the workbench treats by name.
namespace kinds {
inline constexpr int32_t Arc = 2;
inline constexpr int32_t Ellipse = 3;
inline constexpr int32_t BusEntry = 7;
inline constexpr int32_t Text = 8;
inline constexpr int32_t Note = 9;
inline constexpr int32_t Image = 10;
inline constexpr int32_t Port = 11;
inline constexpr int32_t PowerObject = 12;
inline constexpr int32_t Junction = 15;
inline constexpr int32_t Line = 16;
inline constexpr int32_t Polyline = 17;
inline constexpr int32_t Wire = 18;
inline constexpr int32_t Bus = 19;
inline constexpr int32_t Polygon = 20;
inline constexpr int32_t Rectangle = 21;
inline constexpr int32_t RoundRectangle = 22;
inline constexpr int32_t Label = 23;
inline constexpr int32_t Symbol = 24;
inline constexpr int32_t NoErc = 26;
inline constexpr int32_t Parameter = 30;
inline constexpr int32_t Document = 31;
inline constexpr int32_t DesignatorField = 32;
inline constexpr int32_t Pin = 35;
inline constexpr int32_t Marker = 36;
inline constexpr int32_t CableType = 37;
inline constexpr int32_t Hyperlink = 39;
inline constexpr int32_t MaskedArea = 46;
inline constexpr int32_t PinDecoration = 48;
inline constexpr int32_t BodyArc = 49;
inline constexpr int32_t BodyLine = 50;
inline constexpr int32_t Implementation = 55;
} // namespace kinds

// A 64-bit set over kinds 0..63, as SetKindFilter takes it; a kind outside
// that range is in no set.
constexpr uint64_t KindSet(std::initializer_list<int32_t> members) {
    uint64_t s = 0;
    for (int32_t k : members)
        if (k >= 0 && k < 64)
            s |= uint64_t{1} << k;
    return s;
}
constexpr bool InKindSet(uint64_t set, int32_t kind) {
    return kind >= 0 && kind < 64 && ((set >> kind) & 1u) != 0;
}

} // namespace pathwick
