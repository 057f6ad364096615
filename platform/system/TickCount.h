// The millisecond tick count: 32 bits, wrapping, behind an injectable source.
#pragma once

#include <cstdint>
#include <functional>

namespace pathwick {

// Milliseconds since some fixed moment, wrapping at 2^32.
uint32_t GetTickCount();

// Replaces the system clock (tests drive time with it); an empty function
// restores the system clock.
void SetTickSource(std::function<uint32_t()> source);

} // namespace pathwick
