#pragma once
// Counts the heap blocks the program holds, through replacement allocation functions, so that a
// bench can tell whether stepping accumulates memory. Include it in one file of a program only:
// the replacements are defined here.
#include <cstdlib>
#include <new>

namespace bench {
inline long live_blocks = 0;
}

void* operator new(std::size_t size) {
    ++bench::live_blocks;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    --bench::live_blocks;
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
