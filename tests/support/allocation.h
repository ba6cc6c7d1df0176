// Counting and failing heap allocations made through operator new, for the
// tests that frames allocate nothing and that running out of memory is
// handled.
#pragma once

#include <cstdint>

uint64_t allocation_count();
// Blocks allocated through operator new and not yet freed.
int64_t live_allocations();
// After n more allocations succeed, the following ones fail; -1: never.
void fail_allocations_after(int n);
