// The per-sample pipeline seen from inside: what the evaluate entry copies into the
// context, what it writes back, and the illumination wrapper when a call is skipped.
#include "framework/sample_context.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "common/distinct_record.h"
#include "framework/module_globals.h"
#include "framework/scene_view.h"
#include "framework/shader_activation.h"
#include "framework/shading_server.h"
#include "host/host_globals.h"
#include "render/shading_sample.h"

namespace pelorix3 {
namespace {

// What a shader saw of its context, kept before it changed every field.
struct Seen {
    void* reserved = nullptr;
    void* respondingServer = nullptr;
    ShadingServer* server = nullptr;
    int screenX = 0, screenY = 0;
    Vec3 objectPosition, worldPosition, geometricNormal, raySource, normal, color;
    double spotSize = 0, rayLength = 0, cosine = 0;
    int objectRows = 0, objectCols = 0, worldRows = 0, worldCols = 0;
    double objectTransform[9] = {}, worldTransform[9] = {};
    HostItem objectId = nullptr;
    int polygonIndex = 0;
    double scalars[7] = {};
    int callDepth = -1;
};

// What a context holds, field by field.
Seen see(const SampleContext& c) {
    Seen seen;
    seen.reserved = c.reserved;
    seen.respondingServer = c.respondingServer;
    seen.server = c.server;
    seen.screenX = c.screenX;
    seen.screenY = c.screenY;
    seen.objectPosition = c.objectPosition;
    seen.worldPosition = c.worldPosition;
    seen.geometricNormal = c.geometricNormal;
    seen.raySource = c.raySource;
    seen.normal = c.normal;
    seen.color = c.color;
    seen.spotSize = c.spotSize;
    seen.rayLength = c.rayLength;
    seen.cosine = c.cosine;
    seen.objectRows = c.objectTransform.rows;
    seen.objectCols = c.objectTransform.cols;
    seen.worldRows = c.worldTransform.rows;
    seen.worldCols = c.worldTransform.cols;
    std::memcpy(seen.objectTransform, c.objectTransform.data, sizeof seen.objectTransform);
    std::memcpy(seen.worldTransform, c.worldTransform.data, sizeof seen.worldTransform);
    seen.objectId = c.objectId;
    seen.polygonIndex = c.polygonIndex;
    const double scalars[7] = {c.luminous,     c.diffuse, c.specular, c.mirror,
                               c.transparency, c.eta,     c.roughness};
    std::memcpy(seen.scalars, scalars, sizeof scalars);
    seen.callDepth = c.callDepth;
    return seen;
}

// A shader that records its context, then writes a new value into every field of it,
// inputs included.
class OverwritingShader : public ShadingServer {
public:
    int evaluate(SampleContext& c) override {
        seen = see(c);

        c.screenX = c.screenY = -7;
        c.objectPosition = c.worldPosition = c.geometricNormal = c.raySource = {9, 9, 9};
        c.spotSize = c.rayLength = c.cosine = 9.0;
        for (int i = 0; i < 9; ++i) c.objectTransform.data[i] = c.worldTransform.data[i] = -1.0;
        c.objectId = &seen;
        c.polygonIndex = -7;
        c.normal = {0.25, 0.5, 0.75};
        c.color = {0.125, 0.375, 0.625};
        c.luminous = 1.5;
        c.diffuse = 2.5;
        c.specular = 3.5;
        c.mirror = 4.5;
        c.transparency = 5.5;
        c.eta = 6.5;
        c.roughness = 7.5;
        return 0;
    }

    static inline Seen seen;
};

ShadingServer* createOverwritingShader() { return finishCreate(new OverwritingShader); }

void expectSame(const Vec3& v, const double (&a)[3]) {
    EXPECT_EQ(v.x, a[0]);
    EXPECT_EQ(v.y, a[1]);
    EXPECT_EQ(v.z, a[2]);
}

class EvaluateEntry : public ::testing::Test {
protected:
    void SetUp() override {
        standin::Host::instance().reset();
        ASSERT_EQ(activateShaderHandler(2, standin::globalFunc, &table, nullptr,
                                        createEntry<createOverwritingShader>),
                  0);
        instance = table.create(nullptr);
        ASSERT_NE(instance, nullptr);
    }
    void TearDown() override {
        table.destroy(instance);
        hostGlobal = nullptr;
    }

    ShaderHandlerTable table{};
    HostInstance instance = nullptr;
};

TEST_F(EvaluateEntry, CopiesEveryInputFieldIntoAFreshContext) {
    ShadingRecord record = test_records::distinctRecord();
    const ShadingRecord before = record;
    table.evaluate(instance, &record);
    const Seen& seen = OverwritingShader::seen;
    EXPECT_EQ(seen.reserved, nullptr);
    EXPECT_EQ(seen.respondingServer, nullptr);
    EXPECT_EQ(seen.server, instance);
    EXPECT_EQ(seen.screenX, 17);
    EXPECT_EQ(seen.screenY, 23);
    expectSame(seen.objectPosition, before.oPos);
    expectSame(seen.worldPosition, before.wPos);
    expectSame(seen.geometricNormal, before.gNorm);
    EXPECT_EQ(seen.spotSize, 0.5);
    expectSame(seen.raySource, before.raySource);
    EXPECT_EQ(seen.rayLength, 7.0);
    EXPECT_EQ(seen.cosine, 0.9);
    EXPECT_EQ(seen.objectRows * 10 + seen.objectCols, 33);
    EXPECT_EQ(seen.worldRows * 10 + seen.worldCols, 33);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(seen.objectTransform[i], before.oXfrm[i]) << i;
        EXPECT_EQ(seen.worldTransform[i], before.wXfrm[i]) << i;
    }
    EXPECT_EQ(seen.objectId, before.objID);
    EXPECT_EQ(seen.polygonIndex, 42);
    expectSame(seen.normal, before.wNorm);
    expectSame(seen.color, before.color);
    const double scalars[7] = {0.1, 0.7, 0.6, 0.05, 0.15, 1.33, 0.02};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(seen.scalars[i], scalars[i]) << i;
    EXPECT_EQ(seen.callDepth, 0);
}

// The shader changed its copies of the input fields too; only normal, colour and the
// seven surface scalars reach the host's record.
TEST_F(EvaluateEntry, WritesBackOnlyTheOutputFields) {
    ShadingRecord record = test_records::distinctRecord();
    const ShadingRecord before = record;
    table.evaluate(instance, &record);
    const auto bytes = [](const ShadingRecord& r) { return reinterpret_cast<const char*>(&r); };
    EXPECT_EQ(std::memcmp(bytes(record), bytes(before), offsetof(ShadingRecord, wNorm)), 0);
    const std::size_t callbacks = offsetof(ShadingRecord, illuminate);
    EXPECT_EQ(std::memcmp(bytes(record) + callbacks, bytes(before) + callbacks,
                          sizeof(ShadingRecord) - callbacks),
              0);
    const double normal[3] = {0.25, 0.5, 0.75};
    const double color[3] = {0.125, 0.375, 0.625};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(record.wNorm[i], normal[i]);
        EXPECT_EQ(record.color[i], color[i]);
    }
    const double scalars[7] = {record.luminous,     record.diffuse, record.specular, record.mirror,
                               record.transparency, record.eta,     record.roughness};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(scalars[i], 1.5 + i) << i;
}

// The evaluate entry builds its context from the record in one step; binding a context to
// a record gives the same context, field for field.
TEST(SampleContextBinding, BindingGivesWhatConstructionFromTheRecordGives) {
    ShadingRecord record = test_records::distinctRecord();
    ShadingServer server;
    SampleContext constructed(&server, &record);
    SampleContext bound(&server);
    bound.bind(&record);
    const Seen a = see(constructed);
    const Seen b = see(bound);
    EXPECT_EQ(a.screenX, b.screenX);
    EXPECT_EQ(a.screenY, b.screenY);
    for (const auto member : {&Seen::objectPosition, &Seen::worldPosition, &Seen::geometricNormal,
                              &Seen::raySource, &Seen::normal, &Seen::color}) {
        EXPECT_EQ((a.*member).x, (b.*member).x);
        EXPECT_EQ((a.*member).y, (b.*member).y);
        EXPECT_EQ((a.*member).z, (b.*member).z);
    }
    EXPECT_EQ(a.spotSize, b.spotSize);
    EXPECT_EQ(a.rayLength, b.rayLength);
    EXPECT_EQ(a.cosine, b.cosine);
    EXPECT_EQ(a.objectRows * 10 + a.objectCols, b.objectRows * 10 + b.objectCols);
    EXPECT_EQ(a.worldRows * 10 + a.worldCols, b.worldRows * 10 + b.worldCols);
    EXPECT_EQ(std::memcmp(a.objectTransform, b.objectTransform, sizeof a.objectTransform), 0);
    EXPECT_EQ(std::memcmp(a.worldTransform, b.worldTransform, sizeof a.worldTransform), 0);
    EXPECT_EQ(a.objectId, b.objectId);
    EXPECT_EQ(a.polygonIndex, b.polygonIndex);
    EXPECT_EQ(std::memcmp(a.scalars, b.scalars, sizeof a.scalars), 0);
    EXPECT_EQ(a.callDepth, b.callDepth);
}

// The host's illumination, counting its calls and answering with a fixed result.
int illuminationCalls = 0;
int countedIlluminate(HostItem, const double[3], double direction[3], double color[3]) {
    ++illuminationCalls;
    direction[0] = -1.0;
    color[1] = 0.5;
    return 7;
}

class Illuminate : public ::testing::Test {
protected:
    void SetUp() override {
        savedDepth = sceneView.recursionDepth;
        illuminationCalls = 0;
        record.illuminate = countedIlluminate;
        context.bind(&record);
    }
    void TearDown() override { sceneView.recursionDepth = savedDepth; }

    int savedDepth = 0;
    ShadingRecord record = render::ShadingSample().record();
    ShadingServer server;
    SampleContext context{&server};
    Vec3 direction{1.0, 2.0, 3.0};
    Vec3 colour{0.3, 0.4, 0.5};
};

TEST_F(Illuminate, ASkippedCallBlacksTheColourAndKeepsTheDirection) {
    sceneView.recursionDepth = -1;
    EXPECT_EQ(context.illuminate(nullptr, {}, direction, colour, ""), -1.0);
    EXPECT_EQ(illuminationCalls, 0);
    EXPECT_EQ(colour.x, 0.0);
    EXPECT_EQ(colour.y, 0.0);
    EXPECT_EQ(colour.z, 0.0);
    EXPECT_EQ(direction.x, 1.0);
    EXPECT_EQ(direction.y, 2.0);
    EXPECT_EQ(direction.z, 3.0);
}

TEST_F(Illuminate, AMadeCallReturnsTheHostsResultAndWhatItFilled) {
    sceneView.recursionDepth = 0;
    EXPECT_EQ(context.illuminate(nullptr, {}, direction, colour, ""), 7.0);
    EXPECT_EQ(illuminationCalls, 1);
    EXPECT_EQ(direction.x, -1.0);
    EXPECT_EQ(direction.y, 2.0);  // the host sees the caller's vector and fills it in
    EXPECT_EQ(colour.x, 0.3);
    EXPECT_EQ(colour.y, 0.5);
}

}  // namespace
}  // namespace pelorix3
