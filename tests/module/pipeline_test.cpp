// The shading pipeline seen from the host: the record round trip, the scene view, light
// samples and the ray call list shared through the render memory.
#include <cstddef>
#include <cstring>
#include <vector>

#include "common/distinct_record.h"
#include "framework/ray_call_list.h"
#include "module_fixture.h"
#include "published_list.h"
#include "render/shading_sample.h"

namespace {

using pelorix3::RayCallList;
using pelorix3::RayCallNode;

bool sameBytes(const ShadingRecord& a, const ShadingRecord& b, std::size_t from, std::size_t to) {
    return std::memcmp(reinterpret_cast<const char*>(&a) + from,
                       reinterpret_cast<const char*>(&b) + from, to - from) == 0;
}

using Pipeline = ModuleTest;

TEST_F(Pipeline, OnlyNormalColourAndTheSevenScalarsMayChange) {
    standin::ShaderInstance instance = createReady();
    const ShadingRecord before = test_records::distinctRecord();
    ShadingRecord record = before;
    ASSERT_TRUE(instance.evaluate(record));
    EXPECT_TRUE(sameBytes(record, before, 0, offsetof(ShadingRecord, wNorm)));
    EXPECT_TRUE(
        sameBytes(record, before, offsetof(ShadingRecord, illuminate), sizeof(ShadingRecord)));
    EXPECT_TRUE(sameBytes(record, before, offsetof(ShadingRecord, wNorm),
                          offsetof(ShadingRecord, color)));  // the shader keeps the normal
    EXPECT_FALSE(
        sameBytes(record, before, offsetof(ShadingRecord, color), offsetof(ShadingRecord, mirror)));
}

TEST_F(Pipeline, AShaderThatChangesNothingLeavesTheRecordByteForByte) {
    // Without the item service the shader leaves the sample as it found it.
    host().withhold("LW Item Info");
    standin::ShaderInstance instance = create();
    const ShadingRecord before = test_records::distinctRecord();
    ShadingRecord record = before;
    instance.evaluate(record);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST_F(Pipeline, ALightSampleAsksFiveQueriesInOrderAtTheServersTime) {
    standin::ShaderInstance instance = createReady(1.5);
    host().paramQueries().enable(true);
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    const auto queries = host().paramQueries().entries();
    ASSERT_EQ(queries.size(), 5u);
    const int codes[] = {1, 8, 4, 2, 3};
    const HostItem light = host().scene().firstLight();
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(queries[i].code, codes[i]);
        EXPECT_EQ(queries[i].item, light);
        EXPECT_EQ(queries[i].time, 1.5);
    }
}

// An instance that has had no new time asks for its lights at time 0.
TEST_F(Pipeline, BeforeTheFirstNewTimeLightsAreAskedForAtTimeZero) {
    standin::ShaderInstance instance = create();
    host().paramQueries().enable(true);
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    const auto queries = host().paramQueries().entries();
    ASSERT_FALSE(queries.empty());
    for (const standin::ParamQuery& query : queries) EXPECT_EQ(query.time, 0.0);
}

TEST_F(Pipeline, InstancesShareOneSceneView) {
    host().scene().clearLights();
    host().scene().ambient = {0.25, 0.25, 0.25};
    standin::ShaderInstance first = createReady();
    host().scene().ambient = {0.5, 0.5, 0.5};
    standin::ShaderInstance second = createReady();
    ShadingRecord record = render::ShadingSample().record();
    first.evaluate(record);
    EXPECT_EQ(record.color[0], 0.5);  // the ambient the second instance's new time read
}

// Before any new time the scene view is empty: no ambient light reaches the sample, and
// the recursion limit of 0 lets the sample's own calls through.
TEST_F(Pipeline, BeforeTheFirstNewTimeTheSceneViewIsEmpty) {
    host().scene().clearLights();
    host().scene().ambient = {0.5, 0.5, 0.5};
    standin::ShaderInstance instance = create();
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(record.color[0], 0.0);
    EXPECT_EQ(record.color[2], 0.0);
}

// A new time reads the ambient colour at the time of the instance it advances, not at
// that of the instance constructed last.
TEST_F(Pipeline, TheAmbientIsReadAtTheAdvancedInstancesTime) {
    standin::ShaderInstance advanced = create();
    standin::ShaderInstance constructedLast = create();
    host().ambientQueries().enable(true);
    ASSERT_EQ(advanced.newTime(3, 0.75), nullptr);
    EXPECT_EQ(host().ambientQueries().entries(), std::vector<double>{0.75});
}

// The recursion limit read at a new time holds for every instance, as the ambient does.
TEST_F(Pipeline, InstancesShareTheRecursionLimit) {
    int calls = 0;
    host().setIlluminationHook([&](const standin::IlluminationCall&) { ++calls; });
    host().sceneInfo().recursionDepth = 4;
    standin::ShaderInstance first = createReady();
    host().sceneInfo().recursionDepth = -1;
    standin::ShaderInstance second = createReady();
    ShadingRecord record = render::ShadingSample().record();
    first.evaluate(record);
    EXPECT_EQ(calls, 0);

    host().sceneInfo().recursionDepth = 0;
    ASSERT_EQ(second.newTime(2, 0.0), nullptr);
    record = render::ShadingSample().record();
    first.evaluate(record);
    EXPECT_EQ(calls, 1);
}

// Copying settings between instances moves no list binding: an instance that has not had
// a new time still publishes nothing after taking a bound instance's settings.
TEST_F(Pipeline, CopyLeavesTheDestinationsListAlone) {
    standin::ShaderInstance bound = createReady();
    standin::ShaderInstance unbound = create();
    RayCallList* list = publishedList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(bound.copyTo(unbound), nullptr);
    int countInside = -1;
    host().setIlluminationHook(
        [&](const standin::IlluminationCall&) { countInside = list->count; });
    ShadingRecord record = render::ShadingSample().record();
    unbound.evaluate(record);
    EXPECT_EQ(countInside, 0);
    bound.evaluate(record);
    EXPECT_EQ(countInside, 1);
}

// The direction vector handed to the host is cleared once per sample: the node published
// for the second light carries what the host returned for the first.
TEST_F(Pipeline, TheSecondLightsNodeCarriesTheFirstLightsDirection) {
    host().scene().clearLights();
    standin::Light first;
    first.type = standin::LightType::Distant;
    first.forward = {0.0, 0.6, 0.8};
    host().scene().addLight(first);
    standin::Light second = first;
    second.forward = {0.0, 0.0, 1.0};
    host().scene().addLight(second);
    standin::ShaderInstance instance = createReady();
    RayCallList* list = publishedList();
    ASSERT_NE(list, nullptr);
    std::vector<pelorix3::Vec3> published;
    host().setIlluminationHook(
        [&](const standin::IlluminationCall&) { published.push_back(list->first->direction); });
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    ASSERT_EQ(published.size(), 2u);
    EXPECT_EQ(published[0].y, 0.0);
    EXPECT_EQ(published[0].z, 0.0);
    EXPECT_DOUBLE_EQ(published[1].y, 0.6);
    EXPECT_DOUBLE_EQ(published[1].z, 0.8);
}

// The host is asked about a point a hair's breadth (1e-7) toward the light, so that its
// shadow ray does not start inside the surface; the published node holds the same point.
TEST_F(Pipeline, TheHostIsAskedAtAPointNudgedTowardTheLight) {
    host().scene().clearLights();
    standin::Light light;
    light.position = {0.0, 3.0, 4.0};
    host().scene().addLight(light);
    standin::ShaderInstance instance = createReady();
    RayCallList* list = publishedList();
    ASSERT_NE(list, nullptr);
    base::Triple asked{};
    pelorix3::Vec3 published;
    host().setIlluminationHook([&](const standin::IlluminationCall& call) {
        asked = {call.position[0], call.position[1], call.position[2]};
        published = list->first->position;
    });
    ShadingRecord record = render::ShadingSample().position({0.0, 0.0, 0.0}).record();
    instance.evaluate(record);
    EXPECT_EQ(asked[0], 0.0);
    EXPECT_DOUBLE_EQ(asked[1], 0.6e-7);
    EXPECT_DOUBLE_EQ(asked[2], 0.8e-7);
    EXPECT_EQ(published.y, asked[1]);
    EXPECT_EQ(published.z, asked[2]);
}

TEST_F(Pipeline, RecursionDepthBelowZeroSkipsTheHostCall) {
    int calls = 0;
    host().setIlluminationHook([&](const standin::IlluminationCall&) { ++calls; });
    host().sceneInfo().recursionDepth = -1;
    standin::ShaderInstance instance = createReady();
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(record.color[0], 0.0);  // black light, no ambient

    host().sceneInfo().recursionDepth = 0;
    ASSERT_EQ(instance.newTime(2, 0.0), nullptr);
    record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(record.color[0], 0.0);
}

TEST_F(Pipeline, AnEmptyBlockReceivesTheModulesHeadSizedForAPointer) {
    standin::ShaderInstance instance = createReady();
    MemoryChunk block = host().renderMemory().find(rayCallListBlock);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(host().renderMemory().size(block), static_cast<int>(sizeof(void*)));
    RayCallList* head = publishedList();
    ASSERT_NE(head, nullptr);

    // A block that exists but holds 0 is filled the same way.
    host().renderMemory().reset();
    MemoryChunk empty = host().renderMemory().create(rayCallListBlock, sizeof(void*));
    ASSERT_EQ(instance.newTime(2, 0.0), nullptr);
    RayCallList* filled = nullptr;
    std::memcpy(&filled, empty, sizeof filled);
    EXPECT_EQ(filled, head);
}

TEST_F(Pipeline, NestedIlluminationCallsAreListedWhileInFlight) {
    standin::ShaderInstance instance = createReady();
    RayCallList* list = publishedList();
    ASSERT_NE(list, nullptr);
    int depth = 0;
    int innerCount = -1;
    host().setIlluminationHook([&](const standin::IlluminationCall&) {
        if (++depth == 1) {
            // The host shades another surface on its way to the light.
            ShadingRecord nested = render::ShadingSample().record();
            instance.evaluate(nested);
        } else {
            innerCount = list->count;
        }
        --depth;
    });
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(innerCount, 2);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->first, nullptr);
    EXPECT_EQ(list->last, nullptr);
    EXPECT_EQ(list->busy, 0);
}

// Another module published its head first: this module uses it and publishes its call
// there, and the peer may answer through the caller's second word.
TEST_F(Pipeline, APeersHeadIsUsedUnchanged) {
    RayCallList peerHead{};
    MemoryChunk block = host().renderMemory().create(rayCallListBlock, sizeof(void*));
    RayCallList* peerAddress = &peerHead;
    std::memcpy(block, &peerAddress, sizeof peerAddress);

    standin::ShaderInstance instance = createReady();
    EXPECT_EQ(publishedList(), &peerHead);

    RayCallNode seen{};
    int countInside = 0;
    host().setIlluminationHook([&](const standin::IlluminationCall& call) {
        countInside = peerHead.count;
        ASSERT_NE(peerHead.first, nullptr);
        seen = *peerHead.first;
        EXPECT_EQ(seen.item, call.light);
        EXPECT_EQ(seen.position.x, call.position[0]);
        static int peerServer;
        void* answer = &peerServer;
        std::memcpy(static_cast<char*>(seen.caller) + sizeof(void*), &answer, sizeof answer);
    });
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(countInside, 1);
    EXPECT_EQ(seen.kind, 2);
    EXPECT_EQ(seen.next, nullptr);
    ASSERT_NE(seen.tag, nullptr);
    EXPECT_STREQ(seen.tag, "");
    EXPECT_EQ(seen.direction.x, 0.0);  // the direction vector starts cleared
    EXPECT_EQ(seen.direction.z, 0.0);
    EXPECT_EQ(peerHead.count, 0);
    EXPECT_EQ(peerHead.first, nullptr);
}

TEST_F(Pipeline, WhenTheHostCannotCreateTheBlockSamplesAreStillLit) {
    host().renderMemory().setCreateFails(true);
    standin::ShaderInstance instance = createReady();
    EXPECT_EQ(host().renderMemory().find(rayCallListBlock), nullptr);
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_GT(record.color[0], 0.0);
}

TEST_F(Pipeline, BeforeTheFirstNewTimeTheHostIsAskedButNothingIsPublished) {
    standin::ShaderInstance instance = create();
    int calls = 0;
    host().setIlluminationHook([&](const standin::IlluminationCall&) { ++calls; });
    ShadingRecord record = render::ShadingSample().record();
    instance.evaluate(record);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(record.color[0], 0.0);
    EXPECT_EQ(host().renderMemory().find(rayCallListBlock), nullptr);
}

TEST_F(Pipeline, ARecordWithoutAnIlluminationFunctionIsShadedWithoutLight) {
    host().scene().ambient = {0.0, 0.0, 0.0};
    standin::ShaderInstance instance = createReady();
    ShadingRecord record = render::ShadingSample().record();
    record.illuminate = nullptr;
    instance.evaluate(record);
    EXPECT_EQ(record.color[0], 0.0);
    EXPECT_EQ(record.luminous, 1.0);
}

}  // namespace
