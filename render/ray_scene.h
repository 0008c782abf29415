// The objects of the stand-in host's scene as its ray tracer sees them: spheres and
// planes that camera rays hit and that cast shadows in the host's illumination.
#ifndef PELORIX3_RENDER_RAY_SCENE_H
#define PELORIX3_RENDER_RAY_SCENE_H

#include <optional>
#include <variant>
#include <vector>

#include "host/triple.h"
#include "render/illumination.h"

namespace standin {

struct Sphere {
    Triple center{0.0, 0.0, 0.0};
    double radius = 1.0;
};

// The infinite plane through `point`, facing along `normal` (any length but zero).
struct Plane {
    Triple point{0.0, 0.0, 0.0};
    Triple normal{0.0, 1.0, 0.0};
};

// Where a ray first meets an object: the distance along the unit ray direction, the
// point, the unit outward normal there, and which object (the order of adding).
struct RayHit {
    double distance = 0.0;
    Triple position{0.0, 0.0, 0.0};
    Triple normal{0.0, 1.0, 0.0};
    int object = 0;
};

class RayScene {
public:
    // Hits closer than this to a ray's origin are ignored, so that a ray leaving a
    // surface does not meet that surface again at its own starting point.
    static constexpr double minimumDistance = 1e-6;

    // Each returns the object's index, counted over spheres and planes together.
    int add(const Sphere& sphere);
    int add(const Plane& plane);

    // The nearest hit along the unit `direction` from `origin` within `maxDistance`.
    std::optional<RayHit> nearestHit(const Triple& origin, const Triple& direction,
                                     double maxDistance) const;

    // Whether any object lies on the way; the shape of the host's OcclusionTest.
    bool occluded(const double from[3], const double toLight[3], double maxDistance) const;

    // An occlusion test for the host that reads this scene, which must outlive it.
    OcclusionTest occlusionTest() const;

private:
    std::vector<std::variant<Sphere, Plane>> objects_;
};

}  // namespace standin

#endif
