// A scene as a scene file lays it out: objects placed in the world by their transforms,
// the scene's lights, its camera and a backdrop colour, with no floor and no lights of the
// preview's own. The surfaces are one list for the whole scene, by name: a name that
// several objects use is one surface. Its lights, objects and camera become the host's
// items, which the module sees through the host's item services.
#ifndef PELORIX3_RENDER_PLACED_SCENE_H
#define PELORIX3_RENDER_PLACED_SCENE_H

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "host/scene.h"
#include "models/surface.h"
#include "models/triangle_mesh.h"
#include "render/camera.h"
#include "render/shaded_scene.h"
#include "render/surface_shading.h"
#include "render/world_transform.h"

namespace standin {
class Host;
}  // namespace standin

namespace render {

struct PlacedObject {
    std::string name;      // the item's name
    std::string filename;  // the file it was read from; empty for a null
    // In the object's own coordinates; a null has no triangles. Its triangleSurfaces
    // number `surfaces`.
    models::TriangleMesh mesh;
    // The object file's surfaces; empty for a mesh of one surface without a name, which
    // is then the surface models::kDefaultSurfaceName with default values.
    std::vector<models::Surface> surfaces;
    // The object's world matrix, parents and pivot included: a point p of the mesh lands
    // at toWorld.point(p).
    WorldTransform toWorld;
    // In its own coordinates: the item's position, which the host reports as
    // toWorld.point(pivot).
    base::Triple pivot{0.0, 0.0, 0.0};
    bool castsShadows = true;  // an object that casts shadows also shadows itself
    bool receivesShadows = true;
};

struct PlacedCamera {
    std::string name = "Camera";
    CameraPose pose;           // in the world; its axes' lengths do not matter
    double zoomFactor = 3.2;   // the vertical angle of view, as host/camera_lens.h has it
    double pixelAspect = 1.0;  // a pixel's width over its height
};

// What a placed scene is made of, in the world's coordinates (left-handed, +y up, as the
// scene file's). The lights are given as the host keeps them (positions and axes in the
// world, cone angles in radians); the ambient colour has its intensity in it.
struct PlacedSceneInputs {
    std::vector<PlacedObject> objects;  // in load order
    std::vector<standin::Light> lights;
    base::Triple ambient{0.0, 0.0, 0.0};
    PlacedCamera camera;
    base::Triple backdrop{0.0, 0.0, 0.0};
    // Ray-traced shadows at all; each light and object then says for itself.
    bool shadows = true;
};

// One surface of the scene-wide list, with each object that has a surface of its name
// and that object's own surface, in load order: the first is the one drawn.
struct SceneSurface {
    struct Use {
        std::size_t object;
        models::Surface surface;
    };

    std::string name;
    std::vector<Use> uses;

    const models::Surface& surface() const { return uses.front().surface; }
};

class PlacedScene : public ShadedScene {
public:
    // Places the objects and builds the ray-traced scene. Fails naming the object when its
    // transform or a position is not a finite number or a triangle's surface is not one of
    // its surfaces, and with Embree's reason when the scene cannot be built.
    static base::Result<std::unique_ptr<PlacedScene>> create(PlacedSceneInputs inputs);

    std::size_t objectCount() const { return objects_.size(); }
    const std::string& objectName(std::size_t object) const { return objects_[object].name; }

    // The scene-wide surfaces, in the order the objects first use them.
    const std::vector<SceneSurface>& surfaces() const { return surfaces_; }
    std::optional<std::size_t> surfaceNamed(std::string_view name) const;

    // How each surface of surfaces() is shaded, for the renders that follow; a surface
    // past the table's end, as every one before the first call, is drawn in the plain
    // material of its first object's base values. A map of a surface is sampled at an
    // object's texture coordinates and passed over on an object without them.
    void setSurfaceShading(std::vector<SurfaceShading> shading);
    const std::vector<SurfaceShading>& surfaceShading() const { return shading_; }

    // Makes the host's scene this one, for renders `width` × `height`: its lights, ambient
    // colour, objects and camera as the host's items, the frame in the scene record, and,
    // when shadows are on, its objects as the occluders of the host's illumination. The
    // scene must outlive the host's use of it.
    void install(standin::Host& host, int width, int height);
    // An object's item in the host's scene, null before install().
    HostItem objectItem(std::size_t object) const { return objects_[object].item; }

    const RayScene& objects() const override { return *rayScene_; }
    Camera camera(int width, int height) const override;
    base::Triple background(const base::Triple& /*direction*/) const override { return backdrop_; }
    // A surface with an instance is a sample of the object hit, in its own coordinates;
    // one without is the plain material.
    HitMaterial materialAt(const RayHit& hit) const override;

private:
    // An object as the renderer keeps it once its triangles are in the ray-traced scene.
    struct Placed {
        std::string name;
        std::string filename;
        WorldTransform toWorld;
        Matrix3 toWorldMatrix{};
        // None for an object squashed flat, whose samples then have the object position
        // and object transform 0.
        std::optional<Matrix3> toObjectMatrix;
        base::Triple pivot{0.0, 0.0, 0.0};
        std::vector<std::array<models::Point2f, 3>> texcoords;
        std::vector<std::uint32_t> triangleSurfaces;  // its own numbers; empty for all 0
        std::vector<std::size_t> sceneSurfaces;       // its own numbers to the scene's
        int pointCount = 0;
        int triangleCount = 0;
        bool castsShadows = true;
        bool receivesShadows = true;
        HostItem item = nullptr;
    };

    PlacedScene(PlacedSceneInputs& inputs, std::unique_ptr<RayScene> rayScene);
    base::Status place(PlacedObject object);
    void addSurfaces(std::size_t object, std::vector<models::Surface> surfaces, Placed& placed);

    std::unique_ptr<RayScene> rayScene_;
    std::vector<Placed> objects_;
    std::vector<std::size_t> objectOfRayObject_;  // by the ray scene's object index
    std::vector<SceneSurface> surfaces_;
    std::vector<SurfaceShading> shading_;
    std::vector<standin::Light> lights_;
    base::Triple ambient_;
    PlacedCamera camera_;
    base::Triple backdrop_;
    bool shadows_ = true;
};

}  // namespace render

#endif
