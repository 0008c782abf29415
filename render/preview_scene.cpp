#include "render/preview_scene.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "host/host_globals.h"
#include "models/model_import.h"
#include "render/draped_cloth.h"
#include "render/shading_sample.h"

namespace render {
namespace {

using SceneResult = base::Result<std::unique_ptr<PreviewScene>>;

constexpr double kSphereRadius = 1.0;
constexpr base::Triple kSphereCenter{0.0, kSphereRadius, 0.0};
constexpr double kFloorHalfSize = 200.0;
// The sphere keeps the view it always had.
constexpr base::Triple kSphereCameraPosition{0.0, 1.55, -5.2};
constexpr base::Triple kSphereCameraTarget{0.0, 0.85, 0.0};
// The camera stays this high above the floor, however it is turned.
constexpr double kLowestCamera = 0.05;
constexpr base::Triple kSkyLow{0.16, 0.17, 0.20};
constexpr base::Triple kSkyHigh{0.05, 0.06, 0.09};

standin::Light keyLight(const SceneSettings& settings) {
    standin::Light light;
    light.name = "Key";
    light.type = standin::LightType::Point;
    light.position = settings.keyPosition;
    light.color = settings.keyColor;
    light.intensity = settings.keyIntensity;
    return light;
}

standin::Light rimLight(const SceneSettings& settings) {
    standin::Light light;
    light.name = "Rim";
    light.type = standin::LightType::Distant;
    light.forward = settings.rimDirection;
    light.color = settings.rimColor;
    light.intensity = settings.rimIntensity;
    return light;
}

base::Triple mix(const base::Triple& a, const base::Triple& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// Why a mesh cannot wear the surface's maps.
std::string withoutTexcoords(const SceneSettings& settings, SurfaceInput mapped) {
    const std::string subject = settings.subject == SubjectKind::Mesh && !settings.meshName.empty()
                                    ? settings.meshName
                                    : std::string("the subject");
    const std::string& advice = settings.untexturedMapAdvice;
    return subject + " has no texture coordinates (an OBJ model gives them in vt lines and " +
           "its faces' v/vt corners, an object file in a TXUV map), so the map for " +
           std::string(nameOf(mapped)) + " cannot be placed on it" +
           (advice.empty() ? "" : ". " + advice);
}

// Uniform scale in every direction.
Matrix3 scaleMatrix(double scale) { return {scale, 0.0, 0.0, 0.0, scale, 0.0, 0.0, 0.0, scale}; }

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

PreviewScene::PreviewScene(const SceneSettings& settings, std::unique_ptr<RayScene> objects)
    : settings_(settings), objects_(std::move(objects)) {
    settings_.meshText.reset();  // the model's text is needed only to make the mesh
}

SceneResult PreviewScene::create(const SceneSettings& settings) {
    const auto start = std::chrono::steady_clock::now();
    if (settings.subject == SubjectKind::Mesh) {
        if (!settings.meshText) return SceneResult::failure(settings.meshName + " was not read");
        base::Result<models::ImportedModel> model =
            models::importModel(*settings.meshText, settings.meshName, settings.creaseAngle,
                                settings.creaseFromSurfaces);
        if (!model) return SceneResult::failure(model.error());
        const double seconds = secondsSince(start);
        SceneResult scene = withMesh(settings, std::move(model->mesh), model->frame);
        if (scene) {
            scene.value()->warnings_ = std::move(model->warnings);
            scene.value()->modelSurfaces_ = std::move(model->surfaces);
            scene.value()->usesCreaseAngle_ = model->creasedTriangles > 0;
            scene.value()->buildTimes_.subject = seconds;
        }
        return scene;
    }
    if (settings.subject == SubjectKind::Cloth) {
        models::TriangleMesh cloth = drapedCloth(kClothVerticesPerSide);
        const double seconds = secondsSince(start);
        SceneResult scene = withMesh(settings, std::move(cloth));
        if (scene) scene.value()->buildTimes_.subject = seconds;
        return scene;
    }
    base::Result<std::unique_ptr<RayScene>> objects = RayScene::create();
    if (!objects) return SceneResult::failure(objects.error());
    std::unique_ptr<PreviewScene> scene(new PreviewScene(settings, std::move(objects.value())));
    scene->subject_ = scene->objects_->add(Sphere{kSphereCenter, kSphereRadius});
    scene->view_ = {kSphereCameraPosition, kSphereCameraTarget};
    return finish(std::move(scene));
}

SceneResult PreviewScene::withMesh(const SceneSettings& settings, models::TriangleMesh mesh,
                                   const models::ModelFrame& frame) {
    if (const std::optional<SurfaceInput> mapped = settings.surface.maps.firstMapped();
        mapped && mesh.cornerTexcoords.empty()) {
        return SceneResult::failure(withoutTexcoords(settings, *mapped));
    }
    base::Result<PlacedMesh> placed = placeOnFloor(std::move(mesh), frame);
    if (!placed) return SceneResult::failure(placed.error());
    base::Result<std::unique_ptr<RayScene>> objects = RayScene::create();
    if (!objects) return SceneResult::failure(objects.error());
    std::unique_ptr<PreviewScene> scene(new PreviewScene(settings, std::move(objects.value())));
    scene->placement_ = placed->placement;
    scene->view_ = placed->view;
    scene->subjectTriangles_ = placed->mesh.triangleCount();
    scene->subjectTexcoords_ = std::move(placed->mesh.cornerTexcoords);
    scene->subjectSurfaces_ = std::move(placed->mesh.triangleSurfaces);
    scene->subject_ = scene->objects_->add(std::move(placed->mesh));
    return finish(std::move(scene));
}

SceneResult PreviewScene::finish(std::unique_ptr<PreviewScene> scene) {
    const auto start = std::chrono::steady_clock::now();
    scene->objects_->add(Floor{0.0, kFloorHalfSize});
    if (base::Status built = scene->objects_->commit(); !built) {
        return SceneResult::failure(built.error());
    }
    scene->buildTimes_.rayScene = secondsSince(start);
    return SceneResult::success(std::move(scene));
}

std::optional<Texcoord> PreviewScene::texcoordAt(const RayHit& hit) const {
    if (settings_.subject == SubjectKind::Sphere) {
        const base::Triple out = hit.position - kSphereCenter;
        const double r = length(out);
        const double latitude = r > 0.0 ? std::asin(std::clamp(out[1] / r, -1.0, 1.0)) : 0.0;
        return Texcoord{0.5 + std::atan2(out[0], -out[2]) / (2.0 * std::numbers::pi),
                        0.5 + latitude / std::numbers::pi};
    }
    return meshTexcoordAt(subjectTexcoords_, hit);
}

const SurfaceShading* PreviewScene::shadingAt(const RayHit& hit) const {
    if (surfaceShading_.empty()) return nullptr;
    const auto primitive = static_cast<std::size_t>(hit.primitive);
    const std::size_t surface =
        primitive < subjectSurfaces_.size() ? subjectSurfaces_[primitive] : 0;
    return &surfaceShading_[std::min(surface, surfaceShading_.size() - 1)];
}

SurfaceInputs PreviewScene::inputsAt(const SurfaceInputs& surface, const RayHit& hit) const {
    return render::inputsAt(surface, [&] { return texcoordAt(hit); });
}

HitMaterial PreviewScene::materialAt(const RayHit& hit) const {
    HitMaterial material;
    if (!isSubject(hit)) return material;
    material.object = sampleObject();
    const SurfaceShading* own = shadingAt(hit);
    if (own && !own->shader) {
        material.kind = HitMaterial::Kind::Plain;
        material.plain = own->plain();
        return material;
    }
    material.kind = HitMaterial::Kind::Shader;
    material.shader = own ? own->shader : nullptr;
    material.inputs = own ? inputsAt(own->inputs, hit) : surfaceAt(hit);
    material.objectPosition = placement_.toObject(hit.position);
    material.toObject = scaleMatrix(1.0 / placement_.scale);
    material.toWorld = scaleMatrix(placement_.scale);
    return material;
}

Camera PreviewScene::camera(int width, int height) const {
    const CameraView view = orbited(view_, settings_.orbit, kLowestCamera);
    return Camera(view.position, view.target, kFieldOfView, width, height);
}

CameraOrbit PreviewScene::orbit() const { return held(view_, settings_.orbit, kLowestCamera); }

base::Triple PreviewScene::background(const base::Triple& direction) const {
    return mix(kSkyLow, kSkyHigh, std::clamp(direction[1] * 4.0, 0.0, 1.0));
}

void PreviewScene::install(standin::Host& host) const {
    standin::Scene& scene = host.scene();
    scene.clearLights();
    scene.addLight(keyLight(settings_));
    scene.addLight(rimLight(settings_));
    scene.ambient = settings_.ambient;
    host.setOcclusionTest(settings_.shadows ? objects_->occlusionTest() : standin::OcclusionTest{});
}

}  // namespace render
