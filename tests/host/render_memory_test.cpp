#include "host/render_memory.h"

#include <algorithm>
#include <cstring>

#include "host_test_fixture.h"

namespace {

class HostRenderMemory : public HostTest {
protected:
    const GlobalMemory* memory =
        static_cast<const GlobalMemory*>(standin::globalFunc(HOST_RENDER_MEMORY, 0));
};

TEST_F(HostRenderMemory, CreatedBlockIsZeroedAndFoundByName) {
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->find("shared list"), nullptr);
    auto* block = static_cast<unsigned char*>(memory->create("shared list", 64));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(std::all_of(block, block + 64, [](unsigned char b) { return b == 0; }));
    std::memset(block, 0xAB, 64);  // the whole size is writable
    EXPECT_EQ(memory->find("shared list"), block);
    EXPECT_STREQ(memory->ID(block), "shared list");
    EXPECT_EQ(memory->size(block), 64);
}

TEST_F(HostRenderMemory, InvalidRequestsGiveNothing) {
    EXPECT_EQ(memory->create(nullptr, 8), nullptr);
    EXPECT_EQ(memory->create("negative", -1), nullptr);
    EXPECT_EQ(memory->find(nullptr), nullptr);
    int unknown = 0;
    EXPECT_EQ(memory->ID(&unknown), nullptr);
    EXPECT_EQ(memory->size(&unknown), 0);
    EXPECT_EQ(memory->next(&unknown), nullptr);
    void* empty = memory->create("empty", 0);  // still a block of its own
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(memory->create("empty too", 0), empty);
}

TEST_F(HostRenderMemory, CreationCanBeMadeToFailAndResetFreesEverything) {
    memory->create("gone", 4);
    host().renderMemory().setCreateFails(true);
    EXPECT_EQ(memory->create("list", 16), nullptr);
    EXPECT_EQ(memory->find("list"), nullptr);
    host().reset();
    EXPECT_EQ(memory->first(), nullptr);
    EXPECT_NE(memory->create("list", 16), nullptr);
}

TEST_F(HostRenderMemory, BlocksAreWalkedInCreationOrder) {
    void* a = memory->create("a", 4);
    void* b = memory->create("b", 4);
    void* again = memory->create("a", 8);
    EXPECT_EQ(memory->first(), a);
    EXPECT_EQ(memory->next(a), b);
    EXPECT_EQ(memory->next(b), again);
    EXPECT_EQ(memory->next(again), nullptr);
    EXPECT_EQ(memory->find("a"), a);  // the first of equal names

    const auto* global =
        static_cast<const GlobalMemory*>(standin::globalFunc(HOST_GLOBAL_MEMORY, 0));
    EXPECT_EQ(global->find("a"), nullptr);  // a separate store
}

}  // namespace
