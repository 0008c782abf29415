// Unloading the module while the host keeps its render memory, as when a user removes the
// plug-in and adds it again in one session: the shared block must not keep leading into
// the unloaded module, and the unload must never wait on the list's guard.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "framework/ray_call_list.h"
#include "host/module_file.h"
#include "host/render_memory.h"
#include "module_fixture.h"
#include "published_list.h"
#include "render/shading_sample.h"

namespace {

using pelorix3::RayCallList;

standin::ShaderModule load(bool hostCallsShutdown) {
    auto file = standin::ModuleFile::open(standin::defaultModulePath());
    EXPECT_TRUE(file.ok()) << file.error();
    if (!hostCallsShutdown) file.value()->skipShutdown();
    auto module = standin::ShaderModule::activate(std::move(file.value()), {});
    EXPECT_TRUE(module.ok()) << module.error();
    return std::move(module.value());
}

// One frame of one instance; the number of calls published while the host worked.
int shadeOneFrame(const standin::ShaderModule& module) {
    auto instance = module.createInstance();
    EXPECT_TRUE(instance.ok()) << instance.error();
    EXPECT_EQ(instance.value().newTime(1, 0.0), nullptr);
    RayCallList* list = publishedList();
    EXPECT_NE(list, nullptr);
    int published = -1;
    standin::Host::instance().setIlluminationHook(
        [&](const standin::IlluminationCall&) { published = list ? list->count : -1; });
    ShadingRecord record = render::ShadingSample().record();
    EXPECT_TRUE(instance.value().evaluate(record));
    EXPECT_GT(record.color[0], 0.0);
    standin::Host::instance().setIlluminationHook({});
    return published;
}

class Unload : public ::testing::Test {
protected:
    void SetUp() override { standin::Host::instance().reset(); }
    void TearDown() override { standin::Host::instance().reset(); }

    static int renderMemoryLookups() {
        return standin::Host::instance().lookupCount(HOST_RENDER_MEMORY);
    }
};

// The host keeps the render memory across the unload and calls the module's shutdown
// first: the block is emptied through a render memory looked up afresh (the one kept from
// the last new time may be stale), once, and the next load claims the block.
TEST_F(Unload, ShutdownEmptiesTheBlockSoTheNextLoadClaimsIt) {
    int lookupsBeforeUnload = 0;
    {
        standin::ShaderModule first = load(true);
        EXPECT_EQ(shadeOneFrame(first), 1);
        lookupsBeforeUnload = renderMemoryLookups();
    }
    EXPECT_EQ(renderMemoryLookups(), lookupsBeforeUnload + 1);
    ASSERT_NE(standin::Host::instance().renderMemory().find(rayCallListBlock), nullptr);
    EXPECT_EQ(publishedList(), nullptr);

    standin::ShaderModule second = load(true);
    EXPECT_EQ(shadeOneFrame(second), 1);
    EXPECT_NE(publishedList(), nullptr);
}

// Two loads of one file share the module's state: the first shutdown withdraws the head;
// the second, with nothing published any more, asks the host nothing.
TEST_F(Unload, AShutdownWithNothingPublishedAsksTheHostNothing) {
    std::optional<standin::ShaderModule> first = load(true);
    EXPECT_EQ(shadeOneFrame(*first), 1);
    std::optional<standin::ShaderModule> second = load(true);
    const int lookupsBeforeUnload = renderMemoryLookups();
    first.reset();
    EXPECT_EQ(renderMemoryLookups(), lookupsBeforeUnload + 1);
    EXPECT_EQ(publishedList(), nullptr);
    second.reset();
    EXPECT_EQ(renderMemoryLookups(), lookupsBeforeUnload + 1);
}

// A host that unloads without calling shutdown may be tearing itself down, or hold the
// loader lock: the module asks it nothing, and the block keeps the head's stale address.
TEST_F(Unload, WithoutShutdownTheModuleMakesNoHostCall) {
    RayCallList* published = nullptr;
    int lookupsBeforeUnload = 0;
    {
        standin::ShaderModule module = load(false);
        EXPECT_EQ(shadeOneFrame(module), 1);
        published = publishedList();
        lookupsBeforeUnload = renderMemoryLookups();
    }
    EXPECT_EQ(renderMemoryLookups(), lookupsBeforeUnload);
    EXPECT_EQ(publishedList(), published);
}

// A peer's head stays published: the block is only emptied when it holds this module's.
TEST(UnloadBesideAPeer, APeersHeadStaysInTheBlock) {
    standin::Host::instance().reset();
    RayCallList peerHead{};
    RayCallList* peerAddress = &peerHead;
    MemoryChunk block =
        standin::Host::instance().renderMemory().create(rayCallListBlock, sizeof(void*));
    std::memcpy(block, &peerAddress, sizeof peerAddress);
    {
        standin::ShaderModule module = load(true);
        EXPECT_EQ(shadeOneFrame(module), 1);
    }
    EXPECT_EQ(publishedList(), &peerHead);
    standin::Host::instance().reset();
}

// The host renewed its render memory after this module published, and a peer claimed the
// new block: the peer's head is not this module's to withdraw.
TEST(UnloadBesideAPeer, APeerThatClaimedARenewedBlockKeepsIt) {
    standin::Host::instance().reset();
    RayCallList peerHead{};
    RayCallList* peerAddress = &peerHead;
    {
        standin::ShaderModule module = load(true);
        EXPECT_EQ(shadeOneFrame(module), 1);
        standin::Host::instance().renderMemory().reset();
        MemoryChunk block =
            standin::Host::instance().renderMemory().create(rayCallListBlock, sizeof(void*));
        std::memcpy(block, &peerAddress, sizeof peerAddress);
    }
    EXPECT_EQ(publishedList(), &peerHead);
    standin::Host::instance().reset();
}

// A host that freed its render memory before unloading: there is no block to empty.
TEST(UnloadAfterTheRenderMemoryWentAway, FindsNoBlockAndStillUnloads) {
    standin::Host::instance().reset();
    {
        standin::ShaderModule module = load(true);
        EXPECT_EQ(shadeOneFrame(module), 1);
        standin::Host::instance().renderMemory().reset();
    }
    EXPECT_EQ(standin::Host::instance().renderMemory().find(rayCallListBlock), nullptr);
}

// A guard left raised (a peer stopped while holding it) must not make the unload wait,
// and the head is cleared without it: the module's state, which a second load of the same
// file keeps in memory here, no longer holds the guard raised.
TEST(UnloadWithTheGuardRaised, FinishesWithoutWaitingAndLowersIt) {
    standin::Host::instance().reset();
    auto module = std::make_unique<standin::ShaderModule>(load(true));
    const standin::ShaderModule keepsTheFileLoaded = load(true);
    EXPECT_EQ(shadeOneFrame(*module), 1);
    RayCallList* head = publishedList();
    ASSERT_NE(head, nullptr);
    std::atomic_ref<std::int32_t> busy(head->busy);
    busy.store(1);

    std::promise<void> unloaded;
    std::future<void> done = unloaded.get_future();
    std::thread unloader([&] {
        module.reset();
        unloaded.set_value();
    });
    const bool finished = done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    // Lower the guard ourselves if the unload hangs on it, so that the test ends either way.
    if (!finished) busy.store(0);
    unloader.join();
    EXPECT_TRUE(finished) << "the unload waited for the list's guard";
    EXPECT_EQ(busy.load(), 0);
    standin::Host::instance().reset();
}

// A module that never published its head has nothing to withdraw, and leaves the host's
// render memory untouched at unload: a host may have torn its services down by then.
std::atomic<int> unloadFinds{0};
MemoryChunk countingFind(const char*) {
    ++unloadFinds;
    return nullptr;
}

TEST(UnloadWithoutANewTime, MakesNoRenderMemoryCall) {
    standin::Host::instance().reset();
    GlobalMemory* table = standin::renderMemoryTable();
    const auto find = table->find;
    {
        standin::ShaderModule module = load(true);
        auto instance = module.createInstance();
        ASSERT_TRUE(instance.ok()) << instance.error();
        table->find = countingFind;
    }
    table->find = find;
    EXPECT_EQ(unloadFinds.load(), 0);
    standin::Host::instance().reset();
}

// A host whose render memory has lost its find by shutdown: there is no block to look
// in, and the module asks nothing more of it.
TEST(UnloadWithoutAFind, AsksNothingOfTheRenderMemory) {
    standin::Host::instance().reset();
    GlobalMemory* table = standin::renderMemoryTable();
    const auto find = table->find;
    {
        standin::ShaderModule module = load(true);
        EXPECT_EQ(shadeOneFrame(module), 1);
        table->find = nullptr;
    }
    table->find = find;
    EXPECT_NE(publishedList(), nullptr);
    standin::Host::instance().reset();
}

}  // namespace
