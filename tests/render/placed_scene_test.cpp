// A scene file's objects placed by their transforms, under its own lights and camera: where
// rays meet them, how their surfaces are shared and shaded, which shadows fall, and what
// the host's item services then say of them.
#include "render/placed_scene.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "host/host_test_fixture.h"
#include "render/renderer.h"

namespace {

using base::Triple;
using render::PlacedObject;
using render::PlacedScene;
using render::PlacedSceneInputs;

constexpr double kFar = std::numeric_limits<double>::infinity();

// A square of half-size 1 in its own xy plane, facing -z, with texture coordinates.
models::TriangleMesh square() {
    models::TriangleMesh mesh;
    mesh.positions = {
        {-1.0f, -1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {-1.0f, 1.0f, 0.0f}};
    mesh.triangles = {{0, 2, 1}, {0, 3, 2}};
    const models::Point3f n{0.0f, 0.0f, -1.0f};
    mesh.cornerNormals = {{n, n, n}, {n, n, n}};
    mesh.cornerTexcoords = {{models::Point2f{0, 0}, {1, 1}, {1, 0}},
                            {models::Point2f{0, 0}, {0, 1}, {1, 1}}};
    return mesh;
}

models::Surface surfaceNamed(const std::string& name, const Triple& colour) {
    models::Surface surface;
    surface.name = name;
    surface.base.colour = colour;
    return surface;
}

PlacedObject object(const std::string& name, const render::WorldTransform& toWorld) {
    PlacedObject placed;
    placed.name = name;
    placed.mesh = square();
    placed.toWorld = toWorld;
    return placed;
}

// Turned a quarter round the vertical (its +z onto world +x), twice as wide, at x = 10.
const render::WorldTransform kTurned{
    {10.0, 0.0, 0.0}, {0.0, 0.0, -2.0}, {0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}};
// Lying down, facing up, at height `y`, `size` times as large.
render::WorldTransform lyingAt(double y, double size) {
    return {{0.0, y, 0.0}, {size, 0.0, 0.0}, {0.0, 0.0, size}, {0.0, -1.0, 0.0}};
}

std::unique_ptr<PlacedScene> create(PlacedSceneInputs inputs) {
    auto scene = PlacedScene::create(std::move(inputs));
    EXPECT_TRUE(scene) << scene.error();
    return scene ? std::move(scene.value()) : nullptr;
}

// A shader of the test's own, which keeps what each sample told it and paints it white.
struct Seen {
    HostItem object;
    Triple objectPosition;
    Triple color;
};
std::vector<Seen> seen;

HostInstance createShader(HostError*) {
    static int instance = 0;
    return &instance;
}

void evaluateShader(HostInstance, ShadingRecord* record) {
    seen.push_back({record->objID, base::toTriple(record->oPos), base::toTriple(record->color)});
    base::store({1.0, 1.0, 1.0}, record->color);
}

const ShaderHandlerTable kShaderTable{createShader,   nullptr, nullptr, nullptr,
                                      nullptr,        nullptr, nullptr, nullptr,
                                      evaluateShader, nullptr, nullptr};

class PlacedScenes : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        seen.clear();
    }

    standin::ShaderInstance shader =
        std::move(standin::ShaderInstance::create(kShaderTable).value());
};

TEST_F(PlacedScenes, ObjectsStandWhereTheirTransformsPutThem) {
    PlacedSceneInputs inputs;
    inputs.objects.push_back(object("Turned", kTurned));
    inputs.objects.back().surfaces = {surfaceNamed("Side", {0.5, 0.5, 0.5})};
    auto scene = create(std::move(inputs));
    ASSERT_TRUE(scene);

    // Own point (1, 0.5, 0) is in the world at (10, 0.5, -2), facing -x.
    const auto hit = scene->objects().nearestHit({0.0, 0.5, -2.0 + 1e-3}, {1.0, 0.0, 0.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->distance, 10.0, 1e-5);
    EXPECT_NEAR(hit->normal[0], -1.0, 1e-6);
    EXPECT_FALSE(scene->objects().nearestHit({0.0, 0.5, -4.5}, {1.0, 0.0, 0.0}, kFar));

    render::SurfaceShading shading;
    shading.shader = &shader;
    scene->setSurfaceShading({shading});
    const render::HitMaterial material = scene->materialAt(*hit);
    ASSERT_EQ(material.kind, render::HitMaterial::Kind::Shader);
    EXPECT_EQ(material.shader, &shader);
    EXPECT_NEAR(material.objectPosition[0], 1.0, 1e-3);
    EXPECT_NEAR(material.objectPosition[1], 0.5, 1e-6);
    EXPECT_NEAR(material.objectPosition[2], 0.0, 1e-6);
    const render::Matrix3 expectedToWorld{0, 0, 1, 0, 1, 0, -2, 0, 0};
    EXPECT_EQ(material.toWorld, expectedToWorld);
    const Triple back = render::multiply(material.toObject, {1.0, 0.0, 0.0});
    EXPECT_NEAR(back[2], 1.0, 1e-12);  // world +x is its own +z
}

TEST_F(PlacedScenes, SurfacesAreOneListByNameAcrossObjects) {
    PlacedSceneInputs inputs;
    inputs.objects.push_back(object("First", lyingAt(0.0, 1.0)));
    inputs.objects.back().surfaces = {surfaceNamed("Cloth", {1.0, 0.0, 0.0}),
                                      surfaceNamed("Wood", {0.0, 1.0, 0.0})};
    inputs.objects.back().mesh.triangleSurfaces = {1, 1};
    inputs.objects.push_back(object("Second", lyingAt(5.0, 1.0)));
    inputs.objects.back().surfaces = {surfaceNamed("Cloth", {0.0, 0.0, 1.0})};
    inputs.objects.push_back(object("Plain", lyingAt(10.0, 1.0)));  // no surfaces of its own
    auto scene = create(std::move(inputs));
    ASSERT_TRUE(scene);

    ASSERT_EQ(scene->surfaces().size(), 3u);
    const render::SceneSurface& cloth = scene->surfaces()[0];
    EXPECT_EQ(cloth.name, "Cloth");
    ASSERT_EQ(cloth.uses.size(), 2u);
    EXPECT_EQ(cloth.uses[1].object, 1u);
    EXPECT_EQ(cloth.surface().base.colour, (Triple{1.0, 0.0, 0.0}));  // the first object's
    EXPECT_EQ(scene->surfaceNamed("Wood"), 1u);
    EXPECT_EQ(scene->surfaceNamed(models::kDefaultSurfaceName), 2u);
    EXPECT_FALSE(scene->surfaceNamed("cloth"));

    const auto plainAbove = [&](double y) {
        const auto hit = scene->objects().nearestHit({0.2, y + 1.0, 0.3}, {0, -1, 0}, 1.5);
        EXPECT_TRUE(hit) << y;
        const render::HitMaterial material = scene->materialAt(*hit);
        EXPECT_EQ(material.kind, render::HitMaterial::Kind::Plain) << y;
        return material.plain.color;
    };
    EXPECT_EQ(plainAbove(0.0), (Triple{0.0, 1.0, 0.0}));  // its triangles are wood
    EXPECT_EQ(plainAbove(5.0), (Triple{1.0, 0.0, 0.0}));  // cloth, as the first has it
    render::SurfaceShading red;
    red.inputs.color = {0.5, 0.0, 0.0};
    scene->setSurfaceShading({red});
    EXPECT_EQ(plainAbove(5.0), (Triple{0.5, 0.0, 0.0}));
    EXPECT_EQ(plainAbove(0.0), (Triple{0.0, 1.0, 0.0}));  // past the table: its base values
}

TEST_F(PlacedScenes, AnObjectThatCannotBePlacedIsRefusedByName) {
    PlacedSceneInputs outOfRange;
    outOfRange.objects.push_back(object("Cup", lyingAt(0.0, 1.0)));
    outOfRange.objects.back().mesh.triangleSurfaces = {0, 1};
    auto refused = PlacedScene::create(std::move(outOfRange));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "object \"Cup\": triangle 1 has surface 1 of only 1");

    PlacedSceneInputs notFinite;
    notFinite.objects.push_back(object("Saucer", lyingAt(std::nan(""), 1.0)));
    refused = PlacedScene::create(std::move(notFinite));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "object \"Saucer\" has a transform that is not all finite numbers");
}

TEST_F(PlacedScenes, TheCamerasZoomSetsTheVerticalAngleAlongItsOwnAxes) {
    PlacedSceneInputs inputs;
    inputs.camera.pose = {{1.0, 2.0, 3.0}, {0.0, 0.0, -1.0}, {0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}};
    inputs.camera.zoomFactor = 2.0;
    auto scene = create(std::move(inputs));
    ASSERT_TRUE(scene);
    const render::Camera camera = scene->camera(200, 100);
    const render::CameraRay top = camera.ray(100.0, 0.0);
    EXPECT_EQ(top.origin, (Triple{1.0, 2.0, 3.0}));
    EXPECT_NEAR(std::atan2(top.direction[1], top.direction[0]), std::atan(0.5), 1e-12);
    const render::CameraRay left = camera.ray(0.0, 50.0);  // twice as wide as high
    EXPECT_NEAR(left.direction[0], std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(left.direction[2], std::sqrt(0.5), 1e-12);
}

// The ground under a square lit from straight above, seen from the side below the square:
// dark only when shadows are on for the scene and the light, the square casts and the
// ground receives.
struct ShadowCase {
    const char* name;
    bool sceneShadows = true;
    standin::ShadowType lightShadow = standin::ShadowType::RayTraced;
    bool blockerCasts = true;
    bool groundReceives = true;
    bool dark = true;
};

class PlacedShadows : public PlacedScenes, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(PlacedShadows, FallOnlyWhereLightAndObjectsAllowThem) {
    const ShadowCase& shadow = GetParam();
    PlacedSceneInputs inputs;
    inputs.objects.push_back(object("Ground", lyingAt(0.0, 20.0)));
    inputs.objects.back().receivesShadows = shadow.groundReceives;
    inputs.objects.push_back(object("Blocker", lyingAt(1.0, 1.0)));
    inputs.objects.back().castsShadows = shadow.blockerCasts;
    standin::Light sun;
    sun.type = standin::LightType::Distant;
    sun.forward = {0.0, -1.0, 0.0};
    sun.shadow = shadow.lightShadow;
    inputs.lights = {sun};
    inputs.shadows = shadow.sceneShadows;
    inputs.camera.pose.position = {0.0, 0.5, -5.0};
    inputs.camera.pose.forward = {0.0, -0.5, 5.0};
    auto scene = create(std::move(inputs));
    ASSERT_TRUE(scene);
    scene->install(host(), 1, 1);

    render::RenderSettings settings;
    settings.width = settings.height = settings.samplesPerSide = 1;
    const auto picture = render::renderLinear(shader, *scene, settings);
    ASSERT_TRUE(picture) << picture.error();
    if (shadow.dark) {
        EXPECT_LT(picture->rgb[0], 0.01f);
    } else {
        EXPECT_GT(picture->rgb[0], 0.5f);
    }
    EXPECT_TRUE(seen.empty());  // every surface is plain
}

INSTANTIATE_TEST_SUITE_P(
    Switches, PlacedShadows,
    ::testing::Values(
        ShadowCase{"AllOn"},
        ShadowCase{"ShadowMapIsRayTraced", true, standin::ShadowType::ShadowMap},
        ShadowCase{"SceneWithout", false, standin::ShadowType::RayTraced, true, true, false},
        ShadowCase{"LightWithout", true, standin::ShadowType::Off, true, true, false},
        ShadowCase{"BlockerCastsNone", true, standin::ShadowType::RayTraced, false, true, false},
        ShadowCase{"GroundReceivesNone", true, standin::ShadowType::RayTraced, true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The host's services answer, as the module would ask them, for the scene's objects,
// lights and camera; the objects' samples name their items.
TEST_F(PlacedScenes, InstallMakesTheHostsItemsOfTheScene) {
    PlacedSceneInputs inputs;
    inputs.objects.push_back(object("Turned", kTurned));
    inputs.objects.back().filename = "Objects/Turned.lwo";
    inputs.objects.back().pivot = {0.0, 1.0, 0.0};
    inputs.objects.back().castsShadows = false;
    inputs.objects.push_back(PlacedObject{});  // a null, nothing to trace
    inputs.objects.back().name = "Null";
    standin::Light spot;
    spot.name = "Key";
    spot.type = standin::LightType::Spot;
    inputs.lights = {spot, standin::Light{}};
    inputs.ambient = {0.1, 0.2, 0.3};
    inputs.camera.name = "Shot";
    inputs.camera.pose.position = {0.0, 0.5, -1.0};
    inputs.camera.pose.forward = {1.0, 0.0, 0.0};
    inputs.camera.pose.right = {0.0, 0.0, -1.0};
    inputs.camera.zoomFactor = 1.0;
    auto scene = create(std::move(inputs));
    ASSERT_TRUE(scene);
    scene->install(host(), 64, 32);
    render::SurfaceShading shading;
    shading.shader = &shader;
    scene->setSurfaceShading({shading});

    const auto* items = static_cast<const ItemInfo*>(standin::globalFunc(HOST_ITEM_INFO, 0));
    const HostItem turned = items->first(HOST_OBJECT, nullptr);
    EXPECT_EQ(turned, scene->objectItem(0));
    EXPECT_STREQ(items->name(turned), "Turned");
    EXPECT_STREQ(items->name(items->next(turned)), "Null");
    double v[3];
    items->param(turned, HOST_PARAM_W_POSITION, 0.0, v);
    EXPECT_EQ(base::toTriple(v), (Triple{10.0, 1.0, 0.0}));  // its pivot, in the world
    items->param(turned, HOST_PARAM_RIGHT, 0.0, v);
    EXPECT_EQ(base::toTriple(v), (Triple{0.0, 0.0, -1.0}));
    items->param(turned, HOST_PARAM_FORWARD, 0.0, v);
    EXPECT_EQ(base::toTriple(v), (Triple{1.0, 0.0, 0.0}));
    items->param(turned, HOST_PARAM_SCALING, 0.0, v);
    EXPECT_EQ(base::toTriple(v), (Triple{2.0, 1.0, 1.0}));
    const auto* objectInfo =
        static_cast<const ObjectInfo*>(standin::globalFunc(HOST_OBJECT_INFO, 0));
    EXPECT_STREQ(objectInfo->filename(turned), "Objects/Turned.lwo");
    EXPECT_EQ(objectInfo->numPoints(turned), 4);
    EXPECT_EQ(objectInfo->shadowOpts(turned), 4u);

    const HostItem key = items->first(HOST_LIGHT, nullptr);
    EXPECT_STREQ(items->name(key), "Key");
    const auto* lights = static_cast<const LightInfo*>(standin::globalFunc(HOST_LIGHT_INFO, 0));
    EXPECT_EQ(lights->type(key), 2);
    EXPECT_EQ(host().scene().lightCount(), 2u);
    EXPECT_EQ(host().scene().ambient, (Triple{0.1, 0.2, 0.3}));

    const HostItem camera = items->first(HOST_CAMERA, nullptr);
    EXPECT_STREQ(items->name(camera), "Shot");
    items->param(camera, HOST_PARAM_W_POSITION, 0.0, v);
    EXPECT_EQ(base::toTriple(v), (Triple{0.0, 0.5, -1.0}));
    const auto* cameras = static_cast<const CameraInfo*>(standin::globalFunc(HOST_CAMERA_INFO, 0));
    double horizontal = 0.0;
    double vertical = 0.0;
    cameras->fovAngles(camera, 0.0, &horizontal, &vertical);
    EXPECT_DOUBLE_EQ(vertical, std::numbers::pi / 2.0);
    EXPECT_DOUBLE_EQ(horizontal, 2.0 * std::atan(2.0));  // over the 64 × 32 frame

    // The camera looks at the turned square's middle: its sample names it.
    render::RenderSettings settings;
    settings.width = settings.height = settings.samplesPerSide = 1;
    ASSERT_TRUE(render::render(shader, *scene, settings));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].object, turned);
    EXPECT_NEAR(seen[0].objectPosition[0], 0.5, 1e-6);
    EXPECT_NEAR(seen[0].objectPosition[1], 0.5, 1e-6);
}

}  // namespace
