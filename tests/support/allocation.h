// Counting and failing heap allocations made through operator new, for the
// tests that frames allocate nothing, that running out of memory is
// handled and that nothing is allocated for what a file merely claims.
#pragma once

#include <cstddef>
#include <cstdint>

uint64_t allocation_count();
// After n more allocations succeed, the following ones fail; -1: never.
void fail_allocations_after(int n);
// The largest block asked for since the last call (0: none).
size_t largest_allocation_since_last();
