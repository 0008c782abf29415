#include "framework/ray_call_list.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

#include "common/threads.h"

namespace pelorix3 {
namespace {

std::vector<RayCallNode*> linked(const RayCallList& list) {
    std::vector<RayCallNode*> nodes;
    for (RayCallNode* n = list.first; n; n = n->next) nodes.push_back(n);
    return nodes;
}

struct RayCallListTest : ::testing::Test {
    RayCallList list{};
    std::array<RayCallNode, 3> nodes{};

    void pushAll() {
        for (auto& n : nodes) list.push(&n);
    }
};

TEST_F(RayCallListTest, PushAppendsAtTheEnd) {
    pushAll();
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(linked(list), (std::vector<RayCallNode*>{&nodes[0], &nodes[1], &nodes[2]}));
    EXPECT_EQ(list.last, &nodes[2]);
    EXPECT_EQ(list.busy, 0);
}

TEST_F(RayCallListTest, PoppingTheMiddleLinksItsNeighbours) {
    pushAll();
    list.pop(&nodes[1]);
    EXPECT_EQ(linked(list), (std::vector<RayCallNode*>{&nodes[0], &nodes[2]}));
    EXPECT_EQ(list.last, &nodes[2]);
    EXPECT_EQ(list.count, 2);
}

TEST_F(RayCallListTest, PoppingTheLastOfTwoMakesTheFirstTheLast) {
    list.push(&nodes[0]);
    list.push(&nodes[1]);
    list.pop(&nodes[1]);
    EXPECT_EQ(list.first, &nodes[0]);
    EXPECT_EQ(list.last, &nodes[0]);
    EXPECT_EQ(nodes[0].next, nullptr);
    EXPECT_EQ(list.count, 1);
}

TEST_F(RayCallListTest, PoppingEverythingEmptiesTheHead) {
    pushAll();
    list.pop(&nodes[0]);
    list.pop(&nodes[2]);
    list.pop(&nodes[1]);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
}

TEST_F(RayCallListTest, PoppingAnUnlinkedNodeChangesNothing) {
    list.pop(&nodes[0]);  // empty list
    EXPECT_EQ(list.count, 0);
    list.push(&nodes[0]);
    list.push(&nodes[1]);
    list.pop(&nodes[2]);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(linked(list), (std::vector<RayCallNode*>{&nodes[0], &nodes[1]}));
    EXPECT_EQ(list.busy, 0);
}

// Render threads push and pop their own nodes on one shared head; with a plain counter
// as guard, both could enter and lose nodes.
TEST(RayCallListThreads, ConcurrentPushAndPopLoseNothing) {
    PELORIX3_SKIP_WITHOUT_THREADS();
    RayCallList list{};
    constexpr int threads = 4;
    constexpr int rounds = 20000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&list] {
            std::array<RayCallNode, 2> mine{};
            for (int i = 0; i < rounds; ++i) {
                for (auto& n : mine) {
                    n.next = nullptr;
                    list.push(&n);
                }
                list.pop(&mine[1]);
                list.pop(&mine[0]);
            }
        });
    }
    for (auto& w : workers) w.join();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.busy, 0);
}

}  // namespace
}  // namespace pelorix3
