// How a mesh is put into the preview scene: scaled so that its longest side is the
// preview's size, standing just clear of the floor (y = 0) in the middle, and seen from the front a
// little above, from far enough away to frame it. The arithmetic is done in double
// precision and only the placed positions are narrowed to single precision, so that a
// mesh of any size, anywhere, lands in the scene with positions and a camera that are
// finite numbers.
#ifndef PELORIX3_RENDER_MESH_PLACEMENT_H
#define PELORIX3_RENDER_MESH_PLACEMENT_H

#include "base/result.h"
#include "base/triple.h"
#include "models/model_frame.h"
#include "models/triangle_mesh.h"
#include "render/camera_orbit.h"

namespace render {

// The preview camera's vertical field of view, in degrees.
inline constexpr double kFieldOfView = 34.0;
// The length of a placed mesh's longest side.
inline constexpr double kMeshSize = 2.6;
// How far above the floor a placed mesh's lowest point stands: a flat model (a single face,
// a sheet laid out) would otherwise lie in the floor's own plane, the two hit at the same
// depth and the picture speckled with the floor. A thousandth of the mesh's size, about 1/16
// of a pixel of a 120-pixel picture, is far above what single precision rounds at this scale.
inline constexpr double kFloorClearance = kMeshSize / 1000.0;

// How the subject was moved into the scene, from the model's own units (those of its file,
// for a model read from one): world = (model − origin) × scale + offset.
struct Placement {
    double scale = 1.0;
    base::Triple offset{0.0, 0.0, 0.0};
    base::Triple origin{0.0, 0.0, 0.0};

    // Back into the model's own units, in double precision.
    base::Triple toObject(const base::Triple& world) const;
};

struct PlacedMesh {
    models::TriangleMesh mesh;  // positions in the scene
    Placement placement;
    CameraView view;
};

// Places `mesh`, whose positions lie in `frame`. Fails when a position is not a finite
// number.
base::Result<PlacedMesh> placeOnFloor(models::TriangleMesh mesh, const models::ModelFrame& frame);

}  // namespace render

#endif
