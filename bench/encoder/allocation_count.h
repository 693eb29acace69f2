// Heap allocations made with new anywhere in the program, counted by its
// replacement of the global operator new (allocation_count.cpp).
#pragma once

namespace encoder_bench {

long long AllocationsSoFar();

}  // namespace encoder_bench
