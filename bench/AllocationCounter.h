// Counts operator new, so a bench can show that a frame or a tick allocates
// nothing. It replaces the global operators: include it in one file of a bench
// program only.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace zynbench {
inline std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++zynbench::allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
