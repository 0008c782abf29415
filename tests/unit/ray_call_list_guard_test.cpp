// The list's guard as peer modules see it: a nonzero busy word keeps this module out, and
// this module's own head shares its cache line with nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "framework/ray_call_list.h"

namespace pelorix3 {
namespace {

TEST(RayCallListGuard, PushWaitsWhileAPeerHoldsTheGuard) {
    RayCallList list{};
    std::atomic_ref<std::int32_t> busy(list.busy);
    busy.store(1);  // a peer module is inside the list
    RayCallNode node{};
    std::atomic<bool> pushed{false};
    std::thread shader([&] {
        list.push(&node);
        pushed.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(pushed.load());
    busy.store(0);  // the peer leaves
    shader.join();
    EXPECT_EQ(list.first, &node);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.busy, 0);
}

TEST(RayCallListGuard, LocalHeadStartsACacheLine) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&localRayCallList) % 64, 0u);
}

}  // namespace
}  // namespace pelorix3
