// The unit tests' nothrow array allocation: the usual one, or null while the tests make it
// fail (failing_allocations.h). It allocates through the usual operator new[], so that the
// usual operator delete[] (and a sanitizer's) frees what it gives.
#include "failing_allocations.h"

#include <new>

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (allocation_test::arraysFail) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
