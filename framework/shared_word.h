// Atomic operations on a plain 32-bit word of a record shared with other modules (the
// ray call list's guard): std::atomic_ref where the C++ library has it, the compiler's
// __atomic built-ins, which std::atomic_ref is made of, where it has not (libc++ 13, the
// WebAssembly build). Both take the word at its address, with the same memory orders.
#ifndef PELORIX3_FRAMEWORK_SHARED_WORD_H
#define PELORIX3_FRAMEWORK_SHARED_WORD_H

#include <atomic>
#include <cstdint>

namespace pelorix3 {

#ifdef __EMSCRIPTEN__

class SharedWord {
public:
    explicit SharedWord(std::int32_t& word) : word_(&word) {}

    std::int32_t load(std::memory_order order = std::memory_order_seq_cst) const {
        return __atomic_load_n(word_, builtinOrder(order));
    }
    void store(std::int32_t value, std::memory_order order = std::memory_order_seq_cst) {
        __atomic_store_n(word_, value, builtinOrder(order));
    }
    // On failure `expected` takes the word's value, as with std::atomic_ref.
    bool compare_exchange_weak(std::int32_t& expected, std::int32_t desired,
                               std::memory_order order = std::memory_order_seq_cst) {
        return __atomic_compare_exchange_n(word_, &expected, desired, true, builtinOrder(order),
                                           failureOrder(order));
    }
    std::int32_t fetch_sub(std::int32_t value,
                           std::memory_order order = std::memory_order_seq_cst) {
        return __atomic_fetch_sub(word_, value, builtinOrder(order));
    }

private:
    static constexpr int builtinOrder(std::memory_order order) {
        switch (order) {
            case std::memory_order_relaxed:
                return __ATOMIC_RELAXED;
            case std::memory_order_consume:
                return __ATOMIC_CONSUME;
            case std::memory_order_acquire:
                return __ATOMIC_ACQUIRE;
            case std::memory_order_release:
                return __ATOMIC_RELEASE;
            case std::memory_order_acq_rel:
                return __ATOMIC_ACQ_REL;
            default:
                return __ATOMIC_SEQ_CST;
        }
    }
    // A failed compare-and-swap only loads: release parts of the order do not apply.
    static constexpr int failureOrder(std::memory_order order) {
        switch (order) {
            case std::memory_order_release:
                return __ATOMIC_RELAXED;
            case std::memory_order_acq_rel:
                return __ATOMIC_ACQUIRE;
            default:
                return builtinOrder(order);
        }
    }

    std::int32_t* word_;
};

#else

using SharedWord = std::atomic_ref<std::int32_t>;

#endif

}  // namespace pelorix3

#endif
