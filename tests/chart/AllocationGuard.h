#pragma once
#include <cstddef>

// The largest single allocation made since the last reset.
size_t LargestAllocationSinceReset();
void ResetLargestAllocation();
