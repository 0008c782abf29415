// Nothrow array allocations that fail while a FailingArrayAllocations lives, as when the
// host runs out of memory: the layout toolkit's child stacks grow with them. The panels' tests
// replace the program's nothrow array allocation to make this possible.
#ifndef PELORIX3_TESTS_PANELS_FAILING_ALLOCATIONS_H
#define PELORIX3_TESTS_PANELS_FAILING_ALLOCATIONS_H

#include <atomic>

namespace allocation_test {

inline std::atomic<bool> arraysFail{false};

class FailingArrayAllocations {
public:
    FailingArrayAllocations() { arraysFail = true; }
    ~FailingArrayAllocations() { arraysFail = false; }
    FailingArrayAllocations(const FailingArrayAllocations&) = delete;
    FailingArrayAllocations& operator=(const FailingArrayAllocations&) = delete;
};

}  // namespace allocation_test

#endif
