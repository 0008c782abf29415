#include "render/preview_scene.h"

#include <algorithm>
#include <cmath>

#include "host/host_globals.h"

namespace standin {
namespace {

constexpr double kSphereRadius = 1.0;
constexpr double kCheckerSize = 0.75;
constexpr Triple kCameraPosition{0.0, 1.55, -5.2};
constexpr Triple kCameraTarget{0.0, 0.85, 0.0};
constexpr double kFieldOfView = 34.0;
constexpr Triple kGroundLight{0.36, 0.36, 0.36};
constexpr Triple kGroundDark{0.25, 0.25, 0.26};
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

}  // namespace

PreviewScene::PreviewScene(const SceneSettings& settings) : settings_(settings) {
    sphere_ = objects_.add(Sphere{{0.0, kSphereRadius, 0.0}, kSphereRadius});
    objects_.add(Plane{{0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}});
}

Camera PreviewScene::camera(int width, int height) const {
    return Camera(kCameraPosition, kCameraTarget, kFieldOfView, width, height);
}

SurfaceInputs PreviewScene::surfaceAt(const RayHit& hit) const {
    SurfaceInputs inputs = settings_.surface;
    if (hit.object != sphere_) {
        const long cell = std::lround(std::floor(hit.position[0] / kCheckerSize)) +
                          std::lround(std::floor(hit.position[2] / kCheckerSize));
        inputs.color = cell % 2 == 0 ? kGroundLight : kGroundDark;
    }
    return inputs;
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
    host.setOcclusionTest(settings_.shadows ? objects_.occlusionTest() : OcclusionTest{});
}

}  // namespace standin
