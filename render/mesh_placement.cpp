#include "render/mesh_placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {
namespace {

// From the subject towards the camera.
constexpr base::Triple kViewDirection{0.0, 0.42, -1.0};
// How much room the camera leaves around the subject's bounding sphere.
constexpr double kFrameMargin = 1.15;
// What lifts the mesh clear of the floor.
constexpr base::Triple kLift{0.0, kFloorClearance, 0.0};

// The point of the mesh that comes to the origin: the middle of its box across, its
// bottom upright.
base::Triple anchorOf(const models::Bounds& box) {
    return {0.5 * (double(box.low[0]) + box.high[0]), double(box.low[1]),
            0.5 * (double(box.low[2]) + box.high[2])};
}

// Scaled about the anchor and lifted clear of the floor, in double precision: a mesh far
// from its origin keeps its shape.
void moveToScene(std::vector<models::Point3f>& positions, const base::Triple& anchor,
                 double scale) {
    for (models::Point3f& p : positions) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            p[axis] = static_cast<float>((double(p[axis]) - anchor[axis]) * scale + kLift[axis]);
        }
    }
}

// From the front a little above, far enough away that the bounding sphere fills the
// picture's height.
CameraView framing(const models::Bounds& box) {
    const base::Triple center{0.5 * (double(box.low[0]) + box.high[0]),
                              0.5 * (double(box.low[1]) + box.high[1]),
                              0.5 * (double(box.low[2]) + box.high[2])};
    const double radius = 0.5 * length(base::Triple{double(box.high[0]) - box.low[0],
                                                    double(box.high[1]) - box.low[1],
                                                    double(box.high[2]) - box.low[2]});
    const double distance =
        kFrameMargin * radius / std::sin(kFieldOfView * std::numbers::pi / 360.0);
    const base::Triple toCamera = unit(kViewDirection).value_or(base::Triple{0.0, 0.0, -1.0});
    return {{center[0] + toCamera[0] * distance, center[1] + toCamera[1] * distance,
             center[2] + toCamera[2] * distance},
            center};
}

}  // namespace

base::Triple Placement::toObject(const base::Triple& world) const {
    return {(world[0] - offset[0]) / scale + origin[0], (world[1] - offset[1]) / scale + origin[1],
            (world[2] - offset[2]) / scale + origin[2]};
}

base::Result<PlacedMesh> placeOnFloor(models::TriangleMesh mesh, const models::ModelFrame& frame) {
    if (!mesh.hasFinitePositions()) {
        return base::Result<PlacedMesh>::failure(
            "the subject has positions that are not finite numbers");
    }
    const models::Bounds box = mesh.bounds();
    double largest = 0.0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        largest = std::max(largest, double(box.high[axis]) - box.low[axis]);
    }
    const double scale = largest > 0.0 ? kMeshSize / largest : 1.0;
    const base::Triple anchor = anchorOf(box);
    moveToScene(mesh.positions, anchor, scale);
    PlacedMesh placed;
    placed.placement.scale = scale / frame.unit;
    placed.placement.offset = anchor * -scale + kLift;
    placed.placement.origin = frame.origin;
    placed.view = framing(mesh.bounds());
    placed.mesh = std::move(mesh);
    return base::Result<PlacedMesh>::success(std::move(placed));
}

}  // namespace render
