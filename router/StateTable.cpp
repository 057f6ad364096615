#include "router/StateTable.h"

namespace pathwick {

// The splitmix64 finaliser, so that grid points, which share their low bits,
// spread over the table.
uint64_t StateHash(const TSheetPoint& p, TDirection d) {
    uint64_t h = (uint64_t{static_cast<uint32_t>(p.X)} << 32) | static_cast<uint32_t>(p.Y);
    h += uint64_t{static_cast<uint8_t>(d)} * 0x9e3779b97f4a7c15ull;
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ull;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebull;
    return h ^ (h >> 31);
}

} // namespace pathwick
