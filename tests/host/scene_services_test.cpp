#include "host/scene_services.h"

#include <cmath>
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

TEST_F(HostSceneServices, ASpotGivesItsConeAndEveryLightItsShadowType) {
    Light spot;
    spot.type = LightType::Spot;
    spot.coneAngle = 0.5;
    spot.edgeAngle = 0.125;
    spot.shadow = standin::ShadowType::ShadowMap;
    Light point;
    point.coneAngle = 0.5;  // not a spot: no cone
    point.shadow = standin::ShadowType::Off;
    const HostItem s = host().scene().addLight(spot);
    const HostItem p = host().scene().addLight(point);

    EXPECT_EQ(lights->type(s), 2);
    double radius = 9.0;
    double edge = 9.0;
    lights->coneAngles(s, &radius, &edge);
    EXPECT_EQ(radius, 0.5);
    EXPECT_EQ(edge, 0.125);
    lights->coneAngles(p, &radius, &edge);
    EXPECT_EQ(radius, 0.0);
    EXPECT_EQ(edge, 0.0);
    lights->coneAngles(s, nullptr, nullptr);
    EXPECT_EQ(lights->shadowType(s), 2);
    EXPECT_EQ(lights->shadowType(p), 0);
    EXPECT_EQ(lights->shadowType(host().scene().addLight(Light{})), 1);  // ray traced
}

// Objects and the camera are items too, each walk keeping to its own kind, each service
// answering for its own kind only.
TEST_F(HostSceneServices, ObjectsAndTheCameraAreItemsWithTheirPlacesAndDetails) {
    standin::SceneObject cup;
    cup.name = "Cup.lwo";
    cup.filename = "Objects/Cup.lwo";
    cup.position = {1.0, 2.0, 3.0};
    cup.right = {0.0, 0.0, -1.0};
    cup.forward = {1.0, 0.0, 0.0};
    cup.scale = {2.0, 2.0, 0.5};
    cup.pivot = {0.0, -1.0, 0.0};
    cup.pointCount = 8;
    cup.polygonCount = 12;
    cup.castsShadows = false;
    const HostItem light = host().scene().addLight(Light{});
    const HostItem object = host().scene().addObject(cup);
    standin::SceneObject null;
    null.name = "Pivot";
    null.receivesShadows = false;
    const HostItem second = host().scene().addObject(null);
    standin::SceneCamera& camera = host().scene().camera();
    camera.name = "Shot";
    camera.position = {0.0, 1.0, -5.0};
    camera.zoomFactor = 2.0;
    const HostItem cameraItem = items->first(HOST_CAMERA, nullptr);

    EXPECT_EQ(items->first(HOST_OBJECT, nullptr), object);
    EXPECT_EQ(items->next(object), second);
    EXPECT_EQ(items->next(second), nullptr);
    EXPECT_EQ(items->next(light), nullptr);
    ASSERT_NE(cameraItem, nullptr);
    EXPECT_EQ(items->next(cameraItem), nullptr);
    EXPECT_EQ(items->first(HOST_BONE, nullptr), nullptr);
    EXPECT_EQ(items->type(object), HOST_OBJECT);
    EXPECT_EQ(items->type(cameraItem), HOST_CAMERA);
    EXPECT_STREQ(items->name(object), "Cup.lwo");
    EXPECT_STREQ(items->name(cameraItem), "Shot");

    EXPECT_EQ(param(object, HOST_PARAM_W_POSITION), cup.position);
    EXPECT_EQ(param(object, HOST_PARAM_RIGHT), cup.right);
    EXPECT_EQ(param(object, HOST_PARAM_W_FORWARD), cup.forward);
    EXPECT_EQ(param(object, HOST_PARAM_SCALING), cup.scale);
    EXPECT_EQ(param(object, HOST_PARAM_PIVOT), cup.pivot);
    EXPECT_EQ(param(cameraItem, HOST_PARAM_POSITION), camera.position);
    EXPECT_EQ(param(cameraItem, HOST_PARAM_W_UP), camera.up);

    const auto* objects = static_cast<const ObjectInfo*>(standin::globalFunc(HOST_OBJECT_INFO, 0));
    EXPECT_STREQ(objects->filename(object), "Objects/Cup.lwo");
    EXPECT_STREQ(objects->filename(light), "");
    EXPECT_EQ(objects->numPoints(object), 8);
    EXPECT_EQ(objects->numPolygons(object), 12);
    EXPECT_EQ(objects->shadowOpts(object), 4u);  // receives only
    EXPECT_EQ(objects->shadowOpts(second), 3u);  // casts, and so shadows itself
    EXPECT_EQ(lights->type(object), -1);

    const auto* cameras = static_cast<const CameraInfo*>(standin::globalFunc(HOST_CAMERA_INFO, 0));
    EXPECT_EQ(cameras->zoomFactor(cameraItem, 0.0), 2.0);
    EXPECT_EQ(cameras->focalLength(cameraItem, 0.0), 15.0);
    EXPECT_EQ(cameras->zoomFactor(object, 0.0), 0.0);
    host().sceneInfo().frameWidth = 400;
    host().sceneInfo().frameHeight = 200;
    host().sceneInfo().pixelAspect = 0.5;
    double horizontal = 0.0;
    double vertical = 0.0;
    cameras->fovAngles(cameraItem, 0.0, &horizontal, &vertical);
    EXPECT_DOUBLE_EQ(vertical, 2.0 * std::atan(0.5));
    EXPECT_DOUBLE_EQ(horizontal, 2.0 * std::atan(0.5));  // as wide as high, in the picture
}

}  // namespace
