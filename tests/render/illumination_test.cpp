#include "render/illumination.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>
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
