// The objects of the stand-in renderer's scene as its ray tracer sees them: triangle
// meshes, spheres and a square floor, all in one scene, which camera rays hit and which
// casts the shadows of the host's illumination. Natively Embree traces it
// (ray_scene_embree.cpp); where Embree does not exist (the WebAssembly build), the
// renderer's own bounding volume hierarchy does (ray_scene_bvh.cpp).
#ifndef PELORIX3_RENDER_RAY_SCENE_H
#define PELORIX3_RENDER_RAY_SCENE_H

#include <memory>
#include <optional>
#include <vector>

#include "base/result.h"
#include "base/triple.h"
#include "host/illumination_hooks.h"
#include "models/triangle_mesh.h"

namespace render {

struct Sphere {
    base::Triple center{0.0, 0.0, 0.0};
    double radius = 1.0;
};

// A square in the plane y = height, facing up, centred under the origin.
struct Floor {
    double height = 0.0;
    double halfSize = 100.0;
};

// Where a ray first meets an object: the distance along the unit ray direction, the
// point, the unit shading normal (interpolated on meshes) and the unit geometric normal
// there, which object (the order of adding) and which of its triangles (0 for others),
// and where in that triangle: the weights of its second and third corners (0 for others).
// The normals are as the object has them, whichever side the ray came from.
struct RayHit {
    double distance = 0.0;
    base::Triple position{0.0, 0.0, 0.0};
    base::Triple normal{0.0, 1.0, 0.0};
    base::Triple geometricNormal{0.0, 1.0, 0.0};
    int object = 0;
    int primitive = 0;
    float u = 0.0f;
    float v = 0.0f;
};

// Whether an object shadows the host's illumination; camera rays see it either way.
enum class ShadowCasting { Casts, DoesNotCast };

class RayScene {
public:
    // Hits closer than this to a ray's origin are ignored, so that a ray leaving a
    // surface does not meet that surface again at its own starting point. Scenes are
    // built a few units across, which this suits at single precision.
    static constexpr double minimumDistance = 1e-4;

    // Fails when the tracer (Embree) cannot start.
    static base::Result<std::unique_ptr<RayScene>> create();
    ~RayScene();
    RayScene(const RayScene&) = delete;
    RayScene& operator=(const RayScene&) = delete;

    // Each returns the object's index. Objects are added before commit().
    int add(const Sphere& sphere);
    int add(const Floor& floor);
    int add(models::TriangleMesh mesh, ShadowCasting casting = ShadowCasting::Casts);

    // Builds the acceleration structure; fails with the tracer's reason.
    base::Status commit();

    // The nearest hit along the unit `direction` from `origin` within `maxDistance`.
    std::optional<RayHit> nearestHit(const base::Triple& origin, const base::Triple& direction,
                                     double maxDistance) const;

    // Whether any object that casts shadows lies on the way; the shape of the host's
    // OcclusionTest.
    bool occluded(const double from[3], const double toLight[3], double maxDistance) const;

    // An occlusion test for the host that reads this scene, which must outlive it.
    standin::OcclusionTest occlusionTest() const;

private:
    struct Tracer;
    explicit RayScene(std::unique_ptr<Tracer> tracer);

    int remember(unsigned id, std::vector<std::array<models::Point3f, 3>> cornerNormals);

    // The hit the tracer found: object `id`, its triangle `primitive` with barycentric
    // coordinates u and v of its second and third corners, the unnormalised geometric
    // normal `ng`, at `distance` along the ray.
    RayHit finishHit(const base::Triple& origin, const base::Triple& direction, double distance,
                     unsigned id, unsigned primitive, const base::Triple& ng, float u,
                     float v) const;

    std::unique_ptr<Tracer> tracer_;
    // The corner normals of each object, by its index; empty for all but meshes.
    std::vector<std::vector<std::array<models::Point3f, 3>>> cornerNormals_;
};

}  // namespace render

#endif
