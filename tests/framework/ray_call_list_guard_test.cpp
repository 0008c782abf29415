// The list's guard as peer modules see it: a nonzero busy word keeps this module out, and
// this module's own head shares its cache line with nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <thread>

#include "common/threads.h"
#include "framework/ray_call_list.h"
#include "framework/shared_word.h"

namespace pelorix3 {
namespace {

std::random_device& randomDevice() {
    static std::random_device device;
    return device;
}

TEST(RayCallListGuard, PushWaitsWhileAPeerHoldsTheGuard) {
    PELORIX3_SKIP_WITHOUT_THREADS();
    RayCallList list{};
    SharedWord busy(list.busy);
    busy.store(1);  // a peer module is inside the list
    RayCallNode node{};
    std::atomic<bool> pushed{false};
    const std::uint32_t pollsBefore = rayCallListGuardPolls();
    const auto polls = [&] { return rayCallListGuardPolls() - pollsBefore; };
    std::thread shader([&] {
        list.push(&node);
        pushed.store(true);
    });
    // The peer leaves only once the pusher has polled the taken guard many times over (a
    // guard that lets it through ends the wait early, with the node pushed). How many is
    // drawn at run time, from 2^17 to 2^22, so that no number of polls after which a guard
    // gave up could be chosen to pass. What still passes: a guard that gives up after more
    // polls than a run holds it for (past 2^22, in every run) or after longer than the
    // hold lasts; no finite test tells such a guard from one that waits for ever.
    const std::uint32_t manyPolls =
        std::uniform_int_distribution<std::uint32_t>(1u << 17, 1u << 22)(randomDevice());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (polls() < manyPolls && !pushed.load() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_GE(polls(), manyPolls);
    EXPECT_FALSE(pushed.load());
    busy.store(0);  // the peer leaves
    shader.join();
    EXPECT_EQ(list.first, &node);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.busy, 0);
}

// The guard's operations act on the record's own word, on every target (std::atomic_ref,
// or the compiler's atomic built-ins where the C++ library lacks it).
TEST(RayCallListGuard, SharedWordOperatesOnTheRecordsOwnWord) {
    RayCallList list{};
    SharedWord busy(list.busy);
    std::int32_t expected = 0;
    EXPECT_TRUE(busy.compare_exchange_weak(expected, 1, std::memory_order_acquire) ||
                busy.compare_exchange_weak(expected, 1, std::memory_order_acquire));
    EXPECT_EQ(list.busy, 1);
    expected = 0;
    EXPECT_FALSE(busy.compare_exchange_weak(expected, 1, std::memory_order_acquire));
    EXPECT_EQ(expected, 1);  // a failed exchange reports what the word holds
    EXPECT_EQ(busy.fetch_sub(1, std::memory_order_release), 1);
    EXPECT_EQ(busy.load(std::memory_order_relaxed), 0);
    list.busy = 5;  // a peer writes the plain field
    EXPECT_EQ(busy.load(), 5);
    busy.store(0);
    EXPECT_EQ(list.busy, 0);
    RayCallNode node{};
    list.push(&node);
    list.pop(&node);
    EXPECT_EQ(list.busy, 0);
    EXPECT_EQ(list.count, 0);
}

TEST(RayCallListGuard, LocalHeadStartsACacheLine) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&localRayCallList) % 64, 0u);
}

}  // namespace
}  // namespace pelorix3
