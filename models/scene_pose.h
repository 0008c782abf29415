// Where a scene's items are at a frame. An item's matrix takes its own coordinates to the
// world's:
//
//     M = M_parent · T(position) · R_y(heading) · R_x(pitch) · R_z(bank) · S(scale) · T(-pivot)
//
// with the channels at the frame (bank acts first, then pitch, then heading), the pivot an
// object's rotation centre in its own coordinates (0 for lights and the camera), and
// M_parent the parent object's matrix, so that a child's position is in its parent's own
// coordinates. An item with a target has its heading and pitch replaced so that its +z axis
// points at the target's world position; its bank stays as keyed. The camera's scale
// channels move nothing.
#ifndef PELORIX3_MODELS_SCENE_POSE_H
#define PELORIX3_MODELS_SCENE_POSE_H

#include <vector>

#include "base/triple.h"
#include "models/affine_matrix.h"
#include "models/scene_file.h"

namespace models {

struct ItemPose {
    // The item's world position: where its position channels put it (an object's pivot).
    base::Triple position{};
    AffineMatrix matrix;  // its coordinates to the world's, scale included
};

struct ScenePoses {
    std::vector<ItemPose> objects;  // in the scene's order
    std::vector<ItemPose> lights;
    ItemPose camera;
};

// Every item at `frame`. Objects whose parents and targets loop (which the reader refuses)
// are placed as if the link that closes the loop were missing.
ScenePoses posesAt(const SceneFile& scene, double frame);

}  // namespace models

#endif
