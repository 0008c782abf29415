#include "render/placed_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/camera_lens.h"
#include "host/host_globals.h"
#include "render/hit_inputs.h"

namespace render {
namespace {

using PlacedResult = base::Result<std::unique_ptr<PlacedScene>>;

base::Triple fromPoint(const models::Point3f& p) { return {p[0], p[1], p[2]}; }

models::Point3f toPoint(const base::Triple& t) {
    return {static_cast<float>(t[0]), static_cast<float>(t[1]), static_cast<float>(t[2])};
}

// The mesh's positions and corner normals carried into the world, in double precision.
void moveToWorld(models::TriangleMesh& mesh, const WorldTransform& toWorld) {
    for (models::Point3f& p : mesh.positions) p = toPoint(toWorld.point(fromPoint(p)));
    const Matrix3 normals = normalMatrix(toWorld.linear());
    for (std::array<models::Point3f, 3>& corners : mesh.cornerNormals) {
        for (models::Point3f& n : corners) {
            n = toPoint(unitOr(multiply(normals, fromPoint(n)), fromPoint(n)));
        }
    }
}

// Why the object's triangles cannot be drawn, or nothing.
std::optional<std::string> faultOf(const PlacedObject& object, std::size_t surfaceCount) {
    const std::string named = "object \"" + object.name + "\"";
    if (!object.toWorld.isFinite())
        return named + " has a transform that is not all finite numbers";
    if (!object.mesh.hasFinitePositions())
        return named + " has positions that are not finite numbers";
    const std::vector<std::uint32_t>& surfaces = object.mesh.triangleSurfaces;
    if (!surfaces.empty() && surfaces.size() != object.mesh.triangles.size())
        return named + " gives a surface to " + std::to_string(surfaces.size()) + " of its " +
               std::to_string(object.mesh.triangles.size()) + " triangles";
    const auto beyond = std::find_if(surfaces.begin(), surfaces.end(),
                                     [surfaceCount](std::uint32_t s) { return s >= surfaceCount; });
    if (beyond != surfaces.end())
        return named + ": triangle " + std::to_string(beyond - surfaces.begin()) + " has surface " +
               std::to_string(*beyond) + " of only " + std::to_string(surfaceCount);
    return std::nullopt;
}

PlainSurface plainOf(const models::BaseValues& base) {
    return {base.colour, base.diffuse, base.roughness};
}

standin::SceneObject sceneObjectOf(const std::string& name, const std::string& filename,
                                   const WorldTransform& toWorld, const base::Triple& pivot) {
    standin::SceneObject object;
    object.name = name;
    object.filename = filename;
    object.position = toWorld.point(pivot);
    object.right = unitOr(toWorld.right, {1.0, 0.0, 0.0});
    object.up = unitOr(toWorld.up, {0.0, 1.0, 0.0});
    object.forward = unitOr(toWorld.forward, {0.0, 0.0, 1.0});
    object.scale = {length(toWorld.right), length(toWorld.up), length(toWorld.forward)};
    object.pivot = pivot;
    return object;
}

standin::SceneCamera sceneCameraOf(const PlacedCamera& camera) {
    standin::SceneCamera placed;
    placed.name = camera.name;
    placed.position = camera.pose.position;
    placed.right = unitOr(camera.pose.right, {1.0, 0.0, 0.0});
    placed.up = unitOr(camera.pose.up, {0.0, 1.0, 0.0});
    placed.forward = unitOr(camera.pose.forward, {0.0, 0.0, 1.0});
    placed.zoomFactor = camera.zoomFactor;
    return placed;
}

}  // namespace

PlacedScene::PlacedScene(PlacedSceneInputs& inputs, std::unique_ptr<RayScene> rayScene)
    : rayScene_(std::move(rayScene)),
      lights_(std::move(inputs.lights)),
      ambient_(inputs.ambient),
      camera_(std::move(inputs.camera)),
      backdrop_(inputs.backdrop),
      shadows_(inputs.shadows) {}

PlacedResult PlacedScene::create(PlacedSceneInputs inputs) {
    base::Result<std::unique_ptr<RayScene>> rayScene = RayScene::create();
    if (!rayScene) return PlacedResult::failure(rayScene.error());
    std::unique_ptr<PlacedScene> scene(new PlacedScene(inputs, std::move(rayScene.value())));
    for (PlacedObject& object : inputs.objects) {
        if (base::Status placed = scene->place(std::move(object)); !placed)
            return PlacedResult::failure(placed.error());
    }
    if (base::Status built = scene->rayScene_->commit(); !built)
        return PlacedResult::failure(built.error());
    return PlacedResult::success(std::move(scene));
}

base::Status PlacedScene::place(PlacedObject object) {
    if (object.surfaces.empty()) {
        object.surfaces.push_back(models::Surface{});
        object.surfaces.back().name = models::kDefaultSurfaceName;
    }
    if (const std::optional<std::string> fault = faultOf(object, object.surfaces.size()))
        return base::Status::failure(*fault);
    Placed placed;
    placed.name = std::move(object.name);
    placed.filename = std::move(object.filename);
    placed.toWorld = object.toWorld;
    placed.toWorldMatrix = object.toWorld.linear();
    placed.toObjectMatrix = inverse(placed.toWorldMatrix);
    placed.pivot = object.pivot;
    placed.pointCount = static_cast<int>(object.mesh.positions.size());
    placed.triangleCount = static_cast<int>(object.mesh.triangles.size());
    placed.castsShadows = object.castsShadows;
    placed.receivesShadows = object.receivesShadows;
    placed.texcoords = std::move(object.mesh.cornerTexcoords);
    placed.triangleSurfaces = std::move(object.mesh.triangleSurfaces);
    addSurfaces(objects_.size(), std::move(object.surfaces), placed);
    if (!object.mesh.triangles.empty()) {
        moveToWorld(object.mesh, object.toWorld);
        const int id =
            rayScene_->add(std::move(object.mesh),
                           object.castsShadows ? ShadowCasting::Casts : ShadowCasting::DoesNotCast);
        if (objectOfRayObject_.size() <= static_cast<std::size_t>(id))
            objectOfRayObject_.resize(static_cast<std::size_t>(id) + 1);
        objectOfRayObject_[static_cast<std::size_t>(id)] = objects_.size();
    }
    objects_.push_back(std::move(placed));
    return base::succeeded();
}

void PlacedScene::addSurfaces(std::size_t object, std::vector<models::Surface> surfaces,
                              Placed& placed) {
    for (models::Surface& surface : surfaces) {
        std::optional<std::size_t> index = surfaceNamed(surface.name);
        if (!index) {
            index = surfaces_.size();
            surfaces_.push_back(SceneSurface{surface.name, {}});
        }
        surfaces_[*index].uses.push_back(SceneSurface::Use{object, std::move(surface)});
        placed.sceneSurfaces.push_back(*index);
    }
}

std::optional<std::size_t> PlacedScene::surfaceNamed(std::string_view name) const {
    const auto found = std::find_if(surfaces_.begin(), surfaces_.end(),
                                    [name](const SceneSurface& s) { return s.name == name; });
    if (found == surfaces_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - surfaces_.begin());
}

void PlacedScene::setSurfaceShading(std::vector<SurfaceShading> shading) {
    shading_ = std::move(shading);
}

void PlacedScene::install(standin::Host& host, int width, int height) {
    standin::Scene& scene = host.scene();
    scene.clearLights();
    for (const standin::Light& light : lights_) scene.addLight(light);
    scene.ambient = ambient_;
    scene.clearObjects();
    for (Placed& placed : objects_) {
        standin::SceneObject object =
            sceneObjectOf(placed.name, placed.filename, placed.toWorld, placed.pivot);
        object.pointCount = placed.pointCount;
        object.polygonCount = placed.triangleCount;
        object.castsShadows = placed.castsShadows;
        object.receivesShadows = placed.receivesShadows;
        placed.item = scene.addObject(object);
    }
    scene.camera() = sceneCameraOf(camera_);
    SceneInfo& frame = host.sceneInfo();
    frame.frameWidth = width;
    frame.frameHeight = height;
    frame.pixelAspect = camera_.pixelAspect;
    frame.limitedRegion[0] = frame.limitedRegion[1] = 0;
    frame.limitedRegion[2] = width - 1;
    frame.limitedRegion[3] = height - 1;
    host.setOcclusionTest(shadows_ ? rayScene_->occlusionTest() : standin::OcclusionTest{});
}

Camera PlacedScene::camera(int width, int height) const {
    const standin::FieldOfView angles =
        standin::fieldOfView(camera_.zoomFactor, width, height, camera_.pixelAspect);
    return Camera(camera_.pose, angles.vertical * 180.0 / std::numbers::pi, width, height,
                  camera_.pixelAspect);
}

HitMaterial PlacedScene::materialAt(const RayHit& hit) const {
    const Placed& placed = objects_[objectOfRayObject_[static_cast<std::size_t>(hit.object)]];
    const auto triangle = static_cast<std::size_t>(hit.primitive);
    const std::size_t own = placed.triangleSurfaces.empty() ? 0 : placed.triangleSurfaces[triangle];
    const std::size_t surface = placed.sceneSurfaces[own];
    HitMaterial material;
    material.object = placed.item;
    material.kind = HitMaterial::Kind::Plain;
    if (surface >= shading_.size()) {
        material.plain = plainOf(surfaces_[surface].surface().base);
        return material;
    }
    const SurfaceShading& shading = shading_[surface];
    if (!shading.shader) {
        material.plain = shading.plain();
        return material;
    }
    material.kind = HitMaterial::Kind::Shader;
    material.shader = shading.shader;
    material.inputs =
        inputsAt(shading.inputs, [&] { return meshTexcoordAt(placed.texcoords, hit); });
    material.toWorld = placed.toWorldMatrix;
    if (placed.toObjectMatrix) {
        material.toObject = *placed.toObjectMatrix;
        material.objectPosition =
            multiply(*placed.toObjectMatrix, hit.position - placed.toWorld.origin);
    }
    return material;
}

}  // namespace render
