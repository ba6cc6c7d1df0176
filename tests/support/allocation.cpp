#include "support/allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> count{0};
std::atomic<int> allowed{-1};
std::atomic<size_t> largest{0};

void release(void* p)
{
    std::free(p);
}

void* allocate(std::size_t size)
{
    if (size > largest.load()) largest.store(size);
    int left = allowed.load();
    if (left == 0) return nullptr;
    if (left > 0) allowed.store(left - 1);
    ++count;
    return std::malloc(size ? size : 1);
}

} // namespace

uint64_t allocation_count()
{
    return count.load();
}

size_t largest_allocation_since_last()
{
    return largest.exchange(0);
}

void fail_allocations_after(int n)
{
    allowed.store(n);
}

void* operator new(std::size_t size)
{
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void operator delete(void* p) noexcept
{
    release(p);
}

void operator delete[](void* p) noexcept
{
    release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    release(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    release(p);
}
