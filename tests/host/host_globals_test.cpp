#include "host/host_globals.h"

#include <thread>
#include <vector>

#include "host_test_fixture.h"
#include "common/threads.h"

namespace {

using standin::globalFunc;
using standin::MessageKind;

using HostGlobals = HostTest;

TEST_F(HostGlobals, EveryBuiltInGlobalIsServedAndNothingElse) {
    for (const char* name :
         {HOST_MESSAGE_FUNCS, HOST_SCENE_INFO, HOST_ITEM_INFO, HOST_LIGHT_INFO, HOST_CAMERA_INFO,
          HOST_OBJECT_INFO, HOST_GLOBAL_MEMORY, HOST_RENDER_MEMORY}) {
        EXPECT_NE(globalFunc(name, 0), nullptr) << name;
    }
    EXPECT_EQ(globalFunc("No Such Global", 0), nullptr);
    EXPECT_EQ(globalFunc(nullptr, 0), nullptr);
}

TEST_F(HostGlobals, WithheldGlobalReadsAsMissingButIsCounted) {
    host().withhold(HOST_ITEM_INFO);
    EXPECT_EQ(globalFunc(HOST_ITEM_INFO, 0), nullptr);
    EXPECT_EQ(globalFunc(HOST_ITEM_INFO, 0), nullptr);
    EXPECT_NE(globalFunc(HOST_LIGHT_INFO, 0), nullptr);
    EXPECT_EQ(host().lookupCount(HOST_ITEM_INFO), 2);
    EXPECT_EQ(host().lookupCount(HOST_LIGHT_INFO), 1);
    EXPECT_EQ(host().lookupCount(HOST_CAMERA_INFO), 0);
}

TEST_F(HostGlobals, SceneInfoIsLiveAndResetRestoresEveryDefault) {
    host().sceneInfo().recursionDepth = 2;
    const auto* info = static_cast<const SceneInfo*>(globalFunc(HOST_SCENE_INFO, 0));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->recursionDepth, 2);
    host().withhold(HOST_SCENE_INFO);
    host().scene().clearLights();
    host().renderMemory().create("block", 8);
    host().messages().record(MessageKind::Info, "a", "b");

    host().reset();

    EXPECT_EQ(host().lookupCount(HOST_SCENE_INFO), 0);
    EXPECT_EQ(globalFunc(HOST_SCENE_INFO, 0), info);
    EXPECT_EQ(info->recursionDepth, 16);
    EXPECT_EQ(host().scene().lightCount(), 1u);
    EXPECT_EQ(host().renderMemory().count(), 0u);
    EXPECT_TRUE(host().messages().messages().empty());
}

TEST_F(HostGlobals, ProvidedGlobalIsServedWithholdableAndKeptOverReset) {
    int table = 0;
    host().provide("HostGlobals Provided", &table);
    host().reset();
    EXPECT_EQ(globalFunc("HostGlobals Provided", 0), &table);
    host().withhold("HostGlobals Provided");
    EXPECT_EQ(globalFunc("HostGlobals Provided", 0), nullptr);
}

TEST_F(HostGlobals, ConcurrentLookupsAreAllCounted) {
    PELORIX3_SKIP_WITHOUT_THREADS();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) globalFunc(HOST_LIGHT_INFO, 0);
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(host().lookupCount(HOST_LIGHT_INFO), 8000);
}

TEST_F(HostGlobals, MessagesAreRecordedInOrderWithNullTextsAbsent) {
    const auto* messages = static_cast<const MessageFuncs*>(globalFunc(HOST_MESSAGE_FUNCS, 0));
    ASSERT_NE(messages, nullptr);
    messages->info("first", "second");
    messages->error("broken", nullptr);
    messages->warning(nullptr, nullptr);

    const auto recorded = host().messages().messages();
    ASSERT_EQ(recorded.size(), 3u);
    EXPECT_EQ(recorded[0].kind, MessageKind::Info);
    EXPECT_EQ(recorded[0].second, "second");
    EXPECT_EQ(recorded[1].kind, MessageKind::Error);
    EXPECT_EQ(recorded[1].first, "broken");
    EXPECT_FALSE(recorded[1].second.has_value());
    EXPECT_EQ(recorded[2].kind, MessageKind::Warning);
    EXPECT_FALSE(recorded[2].first.has_value());
}

}  // namespace
