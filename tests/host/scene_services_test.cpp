#include "host/scene_services.h"

#include <thread>
#include <vector>

#include "common/threads.h"
#include "host_test_fixture.h"

namespace {

using base::Triple;
using standin::Light;
using standin::LightType;

class HostSceneServices : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        host().scene().clearLights();
        ASSERT_NE(items, nullptr);
        ASSERT_NE(lights, nullptr);
    }

    Triple param(HostItem item, int code) {
        double v[3] = {7.0, 7.0, 7.0};  // must be overwritten
        items->param(item, code, 0.0, v);
        return {v[0], v[1], v[2]};
    }

    const ItemInfo* items = static_cast<const ItemInfo*>(standin::globalFunc(HOST_ITEM_INFO, 0));
    const LightInfo* lights =
        static_cast<const LightInfo*>(standin::globalFunc(HOST_LIGHT_INFO, 0));
};

TEST_F(HostSceneServices, ItemWalkVisitsTheLightsInOrder) {
    EXPECT_EQ(items->first(HOST_LIGHT, nullptr), nullptr);
    const HostItem a = host().scene().addLight(Light{});
    const HostItem b = host().scene().addLight(Light{});
    EXPECT_EQ(items->first(HOST_LIGHT, nullptr), a);
    EXPECT_EQ(items->next(a), b);
    EXPECT_EQ(items->next(b), nullptr);
    EXPECT_EQ(items->first(HOST_OBJECT, nullptr), nullptr);
    int unknown = 0;
    EXPECT_EQ(items->next(&unknown), nullptr);
}

TEST_F(HostSceneServices, ParamGivesTheLightsPositionAndAxes) {
    Light light;
    light.position = {1.0, 2.0, 3.0};
    light.right = {0.0, 0.0, -1.0};
    light.forward = {1.0, 0.0, 0.0};
    const HostItem item = host().scene().addLight(light);

    EXPECT_EQ(param(item, HOST_PARAM_POSITION), light.position);
    EXPECT_EQ(param(item, HOST_PARAM_W_POSITION), light.position);
    EXPECT_EQ(param(item, HOST_PARAM_RIGHT), light.right);
    EXPECT_EQ(param(item, HOST_PARAM_W_RIGHT), light.right);
    EXPECT_EQ(param(item, HOST_PARAM_UP), light.up);
    EXPECT_EQ(param(item, HOST_PARAM_W_UP), light.up);
    EXPECT_EQ(param(item, HOST_PARAM_FORWARD), light.forward);
    EXPECT_EQ(param(item, HOST_PARAM_W_FORWARD), light.forward);
    const Triple zero{0.0, 0.0, 0.0};
    EXPECT_EQ(param(item, HOST_PARAM_SCALING), zero);
    int unknown = 0;
    EXPECT_EQ(param(&unknown, HOST_PARAM_POSITION), zero);
}

TEST_F(HostSceneServices, ParamQueriesAreLoggedFromEveryThreadOnlyWhenSwitchedOn) {
    PELORIX3_SKIP_WITHOUT_THREADS();
    const HostItem item = host().scene().addLight(Light{});
    param(item, HOST_PARAM_POSITION);
    EXPECT_TRUE(host().paramQueries().entries().empty());

    host().paramQueries().enable(true);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, item] {
            double v[3];
            for (int i = 0; i < 500; ++i) items->param(item, HOST_PARAM_W_UP, 0.5, v);
        });
    }
    for (std::thread& thread : threads) thread.join();
    const auto logged = host().paramQueries().entries();
    ASSERT_EQ(logged.size(), 2000u);
    EXPECT_EQ(logged[0].item, item);
    EXPECT_EQ(logged[0].code, HOST_PARAM_W_UP);
    EXPECT_EQ(logged[0].time, 0.5);
}

TEST_F(HostSceneServices, LightInfoDescribesEachLight) {
    Light distant;
    distant.type = LightType::Distant;
    distant.color = {1.0, 0.5, 0.25};
    distant.intensity = 2.0;
    Light point;
    point.inverseSquareFalloff = true;
    point.falloffDistance = 5.0;
    const HostItem d = host().scene().addLight(distant);
    const HostItem p = host().scene().addLight(point);
    host().scene().ambient = {0.1, 0.2, 0.3};

    EXPECT_EQ(lights->type(d), 0);
    EXPECT_EQ(lights->type(p), 1);
    EXPECT_EQ(lights->type(nullptr), -1);
    Triple color{};
    lights->color(d, 0.0, color.data());
    EXPECT_EQ(color, (Triple{2.0, 1.0, 0.5}));
    lights->color(nullptr, 0.0, color.data());
    EXPECT_EQ(color, (Triple{0.0, 0.0, 0.0}));
    lights->ambient(0.0, color.data());
    EXPECT_EQ(color, (Triple{0.1, 0.2, 0.3}));
    EXPECT_EQ(lights->range(p), 5.0);
    EXPECT_EQ(lights->range(d), 0.0);
    EXPECT_EQ(items->type(d), HOST_LIGHT);
    EXPECT_STREQ(items->name(d), "Light");
    EXPECT_STREQ(items->name(nullptr), "");
}

}  // namespace
