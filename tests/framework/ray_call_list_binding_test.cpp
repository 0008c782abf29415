// Binding the shared list through the host's render memory, and withdrawing this module's
// head at shutdown.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/host_services.h"
#include "framework/module_globals.h"
#include "framework/ray_call_list.h"
#include "host/host_globals.h"

namespace pelorix3 {
namespace {

struct RayCallListBinding : ::testing::Test {
    void SetUp() override {
        standin::Host::instance().reset();
        savedGlobal = hostGlobal;
        savedServices = hostServices;
        hostGlobal = standin::globalFunc;
        ASSERT_EQ(acquireShaderServices(), nullptr);
        withdrawLocalRayCallList();  // as after a fresh load: nothing published
    }
    void TearDown() override {
        withdrawLocalRayCallList();
        hostGlobal = savedGlobal;
        hostServices = savedServices;
        standin::Host::instance().reset();
    }

    static MemoryChunk blockHolding(RayCallList* list) {
        MemoryChunk block = standin::Host::instance().renderMemory().create(
            rayCallListBlockName, static_cast<int>(sizeof list));
        std::memcpy(block, &list, sizeof list);
        return block;
    }
    static RayCallList* heldBy(MemoryChunk block) {
        RayCallList* list = nullptr;
        std::memcpy(&list, block, sizeof list);
        return list;
    }

    GlobalFunc savedGlobal = nullptr;
    HostServices savedServices{};
};

// The module file loaded again at the same address after an unload without shutdown finds
// its own head still in the block: its shutdown must empty the block all the same.
TEST_F(RayCallListBinding, AHeadOfOursFoundInTheBlockIsWithdrawnAtShutdown) {
    MemoryChunk block = blockHolding(&localRayCallList);
    EXPECT_EQ(bindSharedRayCallList(nullptr), &localRayCallList);
    withdrawLocalRayCallList();
    EXPECT_EQ(heldBy(block), nullptr);
}

}  // namespace
}  // namespace pelorix3
