#include "render/illumination.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "common/threads.h"
#include "host/host_test_fixture.h"

namespace {

using base::Triple;
using render::hostIlluminate;
using standin::IlluminationCall;
using standin::Light;
using standin::LightType;

class HostIllumination : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        host().scene().clearLights();
    }

    // A point light of colour (1, 0.5, 0.25) and intensity 2.
    HostItem addPoint(const Triple& position) {
        Light light;
        light.position = position;
        light.color = {1.0, 0.5, 0.25};
        light.intensity = 2.0;
        return host().scene().addLight(light);
    }

    // Calls the host's illuminate with outputs pre-filled, so untouched outputs show.
    int illuminate(HostItem light, const Triple& position) {
        direction = color = {9.0, 9.0, 9.0};
        return hostIlluminate(light, position.data(), direction.data(), color.data());
    }

    static void expectNear(const Triple& actual, const Triple& expected) {
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-12) << "at " << i;
    }

    Triple direction{};
    Triple color{};
};

TEST_F(HostIllumination, PointLightDirectionRunsFromLightToPoint) {
    const HostItem light = addPoint({1.0, 2.0, 3.0});
    EXPECT_EQ(illuminate(light, {4.0, 6.0, 3.0}), 1);
    expectNear(direction, {0.6, 0.8, 0.0});
    expectNear(color, {2.0, 1.0, 0.5});
}

TEST_F(HostIllumination, DistantLightShinesAlongItsUnitForwardAxisWithoutFalloff) {
    Light distant;
    distant.type = LightType::Distant;
    distant.forward = {0.0, -3.0, 4.0};
    distant.inverseSquareFalloff = true;
    distant.falloffDistance = 0.001;
    const HostItem light = host().scene().addLight(distant);
    EXPECT_EQ(illuminate(light, {100.0, -50.0, 3.0}), 1);
    expectNear(direction, {0.0, -0.6, 0.8});
    expectNear(color, {1.0, 1.0, 1.0});
}

TEST_F(HostIllumination, InverseSquareFalloffIsFullAtTheReferenceDistance) {
    const HostItem item = addPoint({0.0, 0.0, 0.0});
    host().scene().light(item)->inverseSquareFalloff = true;
    host().scene().light(item)->falloffDistance = 2.0;
    illuminate(item, {0.0, 0.0, 2.0});
    expectNear(color, {2.0, 1.0, 0.5});
    illuminate(item, {0.0, 4.0, 0.0});
    expectNear(color, {0.5, 0.25, 0.125});
    illuminate(item, {1.0, 0.0, 0.0});
    expectNear(color, {8.0, 4.0, 2.0});
}

// A spot at the origin shining along +z, its cone 30 degrees and its soft edge 10: lit
// fully within 20 degrees of its axis, fading linearly in the angle to 30, unlit beyond.
struct SpotCase {
    double degreesOffAxis;
    double share;  // of the light's colour
    int lit;
};

class SpotCone : public HostIllumination, public ::testing::WithParamInterface<SpotCase> {};

TEST_P(SpotCone, FullInsideFadingAcrossTheSoftEdgeAndDarkOutside) {
    Light spot;
    spot.type = LightType::Spot;
    spot.forward = {0.0, 0.0, 2.0};
    spot.coneAngle = 30.0 * std::numbers::pi / 180.0;
    spot.edgeAngle = 10.0 * std::numbers::pi / 180.0;
    const HostItem light = host().scene().addLight(spot);
    const double angle = GetParam().degreesOffAxis * std::numbers::pi / 180.0;
    const Triple point{3.0 * std::sin(angle), 0.0, 3.0 * std::cos(angle)};
    EXPECT_EQ(illuminate(light, point), GetParam().lit);
    const double share = GetParam().share;
    expectNear(color, {share, share, share});
    expectNear(direction, point * (1.0 / 3.0));  // given whether lit or not
}

INSTANTIATE_TEST_SUITE_P(Angles, SpotCone,
                         ::testing::Values(SpotCase{0.0, 1.0, 1}, SpotCase{19.9, 1.0, 1},
                                           SpotCase{25.0, 0.5, 1}, SpotCase{27.5, 0.25, 1},
                                           SpotCase{30.0, 0.0, 0}, SpotCase{35.0, 0.0, 0},
                                           SpotCase{150.0, 0.0, 0}));

TEST_F(HostIllumination, LinearFalloffIsEachLightsOwnAndEndsWhereItReachesNothing) {
    const HostItem near = addPoint({0.0, 0.0, 0.0});
    const HostItem far = addPoint({0.0, 0.0, 0.0});
    host().scene().light(near)->falloff = 0.1;  // nothing left at 10
    host().scene().light(far)->falloff = 0.025;
    EXPECT_EQ(illuminate(near, {0.0, 4.0, 0.0}), 1);
    expectNear(color, {1.2, 0.6, 0.3});
    EXPECT_EQ(illuminate(far, {0.0, 4.0, 0.0}), 1);
    expectNear(color, {1.8, 0.9, 0.45});
    EXPECT_EQ(illuminate(near, {0.0, 12.0, 0.0}), 0);
    expectNear(color, {0.0, 0.0, 0.0});
    expectNear(direction, {0.0, 1.0, 0.0});

    Light distant;
    distant.type = LightType::Distant;
    distant.falloff = 0.1;
    EXPECT_EQ(illuminate(host().scene().addLight(distant), {0.0, 100.0, 0.0}), 1);
    expectNear(color, {1.0, 1.0, 1.0});
}

TEST_F(HostIllumination, UnknownLightOrPointAtTheLightIsBlackAndUnlit) {
    const HostItem light = addPoint({1.0, 1.0, 1.0});
    EXPECT_EQ(illuminate(light, {1.0, 1.0, 1.0}), 0);  // no direction: no NaN either
    expectNear(direction, {0.0, 0.0, 0.0});
    expectNear(color, {0.0, 0.0, 0.0});
    int notALight = 0;
    EXPECT_EQ(illuminate(&notALight, {0.0, 0.0, 0.0}), 0);
    expectNear(color, {0.0, 0.0, 0.0});
    EXPECT_EQ(hostIlluminate(light, nullptr, direction.data(), color.data()), 0);
    EXPECT_EQ(hostIlluminate(light, direction.data(), nullptr, color.data()), 0);
}

TEST_F(HostIllumination, OccludedPointIsBlackAndTheTestSeesTheWayToTheLight) {
    const HostItem point = addPoint({0.0, 0.0, 0.0});
    Light distant;
    distant.type = LightType::Distant;
    const HostItem sun = host().scene().addLight(distant);
    std::vector<std::pair<Triple, double>> asked;
    host().setOcclusionTest([&asked](const double*, const double* toLight, double maxDistance) {
        asked.emplace_back(Triple{toLight[0], toLight[1], toLight[2]}, maxDistance);
        return true;
    });

    EXPECT_EQ(illuminate(point, {0.0, 3.0, 0.0}), 0);
    expectNear(color, {0.0, 0.0, 0.0});
    expectNear(direction, {0.0, 1.0, 0.0});  // still reported
    EXPECT_EQ(illuminate(sun, {0.0, 3.0, 0.0}), 0);
    ASSERT_EQ(asked.size(), 2u);
    expectNear(asked[0].first, {0.0, -1.0, 0.0});
    EXPECT_DOUBLE_EQ(asked[0].second, 3.0);
    expectNear(asked[1].first, {0.0, 0.0, -1.0});
    EXPECT_EQ(asked[1].second, std::numeric_limits<double>::infinity());
}

TEST_F(HostIllumination, OnlyLightsWithShadowsOnAreTestedAndAShadowMapIsRayTraced) {
    host().setOcclusionTest([](const double*, const double*, double) { return true; });
    for (const auto& [shadow, lit] :
         {std::pair{standin::ShadowType::Off, 1}, std::pair{standin::ShadowType::RayTraced, 0},
          std::pair{standin::ShadowType::ShadowMap, 0}}) {
        const HostItem light = addPoint({0.0, 0.0, 0.0});
        host().scene().light(light)->shadow = shadow;
        EXPECT_EQ(illuminate(light, {0.0, 3.0, 0.0}), lit) << static_cast<int>(shadow);
    }
}

TEST_F(HostIllumination, AnObjectThatReceivesNoShadowsIsNeverShadowed) {
    const HostItem light = addPoint({0.0, 0.0, 0.0});
    host().setOcclusionTest([](const double*, const double*, double) { return true; });
    standin::SceneObject unshadowed;
    unshadowed.receivesShadows = false;
    const HostItem bare = host().scene().addObject(unshadowed);
    const HostItem shadowed = host().scene().addObject(standin::SceneObject{});
    {
        const render::ShadedObject shading(bare);
        EXPECT_EQ(illuminate(light, {0.0, 3.0, 0.0}), 1);
        {
            const render::ShadedObject inner(shadowed);
            EXPECT_EQ(illuminate(light, {0.0, 3.0, 0.0}), 0);
        }
        EXPECT_EQ(illuminate(light, {0.0, 3.0, 0.0}), 1);  // the outer object again
    }
    EXPECT_EQ(illuminate(light, {0.0, 3.0, 0.0}), 0);  // none named: shadows fall
}

TEST_F(HostIllumination, HookRunsInsideTheCallAndMayNestAnotherOne) {
    const HostItem first = addPoint({0.0, 0.0, 0.0});
    const HostItem second = addPoint({0.0, 0.0, 10.0});
    Triple nestedDirection{};
    int nestedResult = -1;
    host().setIlluminationHook([&](const IlluminationCall& call) {
        if (call.light != first) return;
        EXPECT_EQ(call.lit, 1);
        EXPECT_EQ(call.direction, direction.data());
        EXPECT_NEAR(call.direction[2], 1.0, 1e-12);  // already filled by the host
        Triple nestedColor{};
        nestedResult =
            hostIlluminate(second, call.position, nestedDirection.data(), nestedColor.data());
        call.color[0] = -5.0;  // reaches the caller only if the hook runs before returning
    });
    EXPECT_EQ(illuminate(first, {0.0, 0.0, 5.0}), 1);
    EXPECT_EQ(color[0], -5.0);
    EXPECT_EQ(nestedResult, 1);
    expectNear(nestedDirection, {0.0, 0.0, -1.0});
}

TEST_F(HostIllumination, ThrowingHookGivesBlackInsteadOfCrossingIntoTheModule) {
    const HostItem light = addPoint({0.0, 0.0, 0.0});
    host().setIlluminationHook([](const IlluminationCall&) { throw std::runtime_error("hook"); });
    EXPECT_EQ(illuminate(light, {1.0, 0.0, 0.0}), 0);
    expectNear(color, {0.0, 0.0, 0.0});
}

TEST_F(HostIllumination, ConcurrentCallsAllGetTheSameAnswer) {
    PELORIX3_SKIP_WITHOUT_THREADS();
    const HostItem light = addPoint({0.0, 0.0, 0.0});
    std::atomic<int> hookCalls{0};
    std::atomic<int> wrong{0};
    host().setIlluminationHook([&hookCalls](const IlluminationCall&) { ++hookCalls; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            const double position[3] = {0.0, 3.0, 4.0};
            double dir[3];
            double col[3];
            for (int i = 0; i < 1000; ++i) {
                const int lit = hostIlluminate(light, position, dir, col);
                if (lit != 1 || std::abs(dir[1] - 0.6) > 1e-12 || col[0] != 2.0) ++wrong;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(hookCalls.load(), 4000);
}

}  // namespace
