// Live and peak heap bytes of the whole program, counted by its operator new.
#pragma once

#include <cstddef>

namespace pathwick::bench {

std::size_t LiveHeapBytes();
std::size_t PeakHeapBytes();
// Allocations made so far.
std::size_t HeapAllocations();
// Starts a new peak from the current live bytes.
void ResetPeakHeapBytes();

} // namespace pathwick::bench
