#include "render/preview_scene.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "host/host_globals.h"
#include "render/draped_cloth.h"
#include "render/obj_import.h"

namespace standin {
namespace {

using SceneResult = Result<std::unique_ptr<PreviewScene>>;

constexpr double kSphereRadius = 1.0;
constexpr double kFloorHalfSize = 200.0;
constexpr double kFieldOfView = 34.0;
// The sphere keeps the view it always had.
constexpr Triple kSphereCameraPosition{0.0, 1.55, -5.2};
constexpr Triple kSphereCameraTarget{0.0, 0.85, 0.0};
// Meshes are scaled so that their largest side is this long, and seen from the front a
// little above, from far enough away that their bounding sphere fills the height.
constexpr double kMeshSize = 2.6;
constexpr Triple kViewDirection{0.0, 0.42, -1.0};  // from the subject towards the camera
constexpr double kFrameMargin = 1.15;
constexpr Triple kSkyLow{0.16, 0.17, 0.20};
constexpr Triple kSkyHigh{0.05, 0.06, 0.09};

Light keyLight(const SceneSettings& settings) {
    Light light;
    light.name = "Key";
    light.type = LightType::Point;
    light.position = settings.keyPosition;
    light.color = settings.keyColor;
    light.intensity = settings.keyIntensity;
    return light;
}

Light rimLight(const SceneSettings& settings) {
    Light light;
    light.name = "Rim";
    light.type = LightType::Distant;
    light.forward = settings.rimDirection;
    light.color = settings.rimColor;
    light.intensity = settings.rimIntensity;
    return light;
}

Triple mix(const Triple& a, const Triple& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// Largest side to kMeshSize, standing on y = 0, centred over the origin.
Placement standOnFloor(const Bounds& box) {
    double largest = 0.0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        largest = std::max(largest, double(box.high[axis]) - box.low[axis]);
    }
    Placement placement;
    placement.scale = largest > 0.0 && std::isfinite(largest) ? kMeshSize / largest : 1.0;
    placement.offset = {-0.5 * (double(box.low[0]) + box.high[0]) * placement.scale,
                        -double(box.low[1]) * placement.scale,
                        -0.5 * (double(box.low[2]) + box.high[2]) * placement.scale};
    return placement;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

Triple Placement::toObject(const Triple& world) const {
    return {(world[0] - offset[0]) / scale, (world[1] - offset[1]) / scale,
            (world[2] - offset[2]) / scale};
}

PreviewScene::PreviewScene(const SceneSettings& settings, std::unique_ptr<RayScene> objects)
    : settings_(settings), objects_(std::move(objects)) {
    settings_.meshText.reset();  // the model's text is needed only to make the mesh
}

SceneResult PreviewScene::create(const SceneSettings& settings) {
    const auto start = std::chrono::steady_clock::now();
    if (settings.subject == SubjectKind::Mesh) {
        if (!settings.meshText) return SceneResult::failure(settings.meshName + " was not read");
        Result<ObjImport> model =
            importObjText(*settings.meshText, settings.meshName, settings.creaseAngle);
        if (!model) return SceneResult::failure(model.error());
        const double seconds = secondsSince(start);
        SceneResult scene = withMesh(settings, std::move(model->mesh));
        if (scene) {
            scene.value()->degenerateTriangles_ = model->degenerateTriangles;
            scene.value()->buildTimes_.subject = seconds;
        }
        return scene;
    }
    if (settings.subject == SubjectKind::Cloth) {
        TriangleMesh cloth = drapedCloth(kClothVerticesPerSide);
        const double seconds = secondsSince(start);
        SceneResult scene = withMesh(settings, std::move(cloth));
        if (scene) scene.value()->buildTimes_.subject = seconds;
        return scene;
    }
    Result<std::unique_ptr<RayScene>> objects = RayScene::create();
    if (!objects) return SceneResult::failure(objects.error());
    std::unique_ptr<PreviewScene> scene(new PreviewScene(settings, std::move(objects.value())));
    scene->subject_ = scene->objects_->add(Sphere{{0.0, kSphereRadius, 0.0}, kSphereRadius});
    scene->view_ = {kSphereCameraPosition, kSphereCameraTarget};
    return finish(std::move(scene));
}

SceneResult PreviewScene::withMesh(const SceneSettings& settings, TriangleMesh mesh) {
    Result<std::unique_ptr<RayScene>> objects = RayScene::create();
    if (!objects) return SceneResult::failure(objects.error());
    std::unique_ptr<PreviewScene> scene(new PreviewScene(settings, std::move(objects.value())));
    scene->placement_ = standOnFloor(mesh.bounds());
    mesh.place(static_cast<float>(scene->placement_.scale),
               {static_cast<float>(scene->placement_.offset[0]),
                static_cast<float>(scene->placement_.offset[1]),
                static_cast<float>(scene->placement_.offset[2])});
    const Bounds box = mesh.bounds();
    const Triple center{0.5 * (double(box.low[0]) + box.high[0]),
                        0.5 * (double(box.low[1]) + box.high[1]),
                        0.5 * (double(box.low[2]) + box.high[2])};
    const double radius =
        0.5 * length(Triple{double(box.high[0]) - box.low[0], double(box.high[1]) - box.low[1],
                            double(box.high[2]) - box.low[2]});
    const double distance =
        kFrameMargin * radius / std::sin(kFieldOfView * std::numbers::pi / 360.0);
    const Triple toCamera = unit(kViewDirection).value_or(Triple{0.0, 0.0, -1.0});
    scene->view_ = {{center[0] + toCamera[0] * distance, center[1] + toCamera[1] * distance,
                     center[2] + toCamera[2] * distance},
                    center};
    scene->subjectTriangles_ = mesh.triangleCount();
    scene->subject_ = scene->objects_->add(std::move(mesh));
    return finish(std::move(scene));
}

SceneResult PreviewScene::finish(std::unique_ptr<PreviewScene> scene) {
    const auto start = std::chrono::steady_clock::now();
    scene->objects_->add(Floor{0.0, kFloorHalfSize});
    if (Status built = scene->objects_->commit(); !built) {
        return SceneResult::failure(built.error());
    }
    scene->buildTimes_.rayScene = secondsSince(start);
    return SceneResult::success(std::move(scene));
}

Camera PreviewScene::camera(int width, int height) const {
    return Camera(view_.position, view_.target, kFieldOfView, width, height);
}

Triple PreviewScene::background(const Triple& direction) const {
    return mix(kSkyLow, kSkyHigh, std::clamp(direction[1] * 4.0, 0.0, 1.0));
}

void PreviewScene::install(Host& host) const {
    Scene& scene = host.scene();
    scene.clearLights();
    scene.addLight(keyLight(settings_));
    scene.addLight(rimLight(settings_));
    scene.ambient = settings_.ambient;
    host.setOcclusionTest(settings_.shadows ? objects_->occlusionTest() : OcclusionTest{});
}

}  // namespace standin
