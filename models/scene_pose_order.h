// The order in which a scene's objects are placed: an object's pose needs its parent's,
// and, when it aims at a target, the target's position, which needs the target's parent's
// pose (not the target's own turn, so two objects may aim at each other). An object that
// needs itself through such a chain cannot be placed.
#ifndef PELORIX3_MODELS_SCENE_POSE_ORDER_H
#define PELORIX3_MODELS_SCENE_POSE_ORDER_H

#include <cstddef>
#include <vector>

#include "models/scene_file.h"

namespace models {

// One step of a chain of needs: `object` needs the pose of the next step's object because
// it hangs from it (`throughTarget` false) or aims at `object`'s target, which hangs from it.
struct PoseNeed {
    std::size_t object = 0;
    bool throughTarget = false;
};

struct PoseOrder {
    std::vector<std::size_t> objects;  // each after those it needs; all of them when no loop
    // When not empty, a chain of needs from an object back to itself, that object repeated
    // at the end.
    std::vector<PoseNeed> loop;
};

PoseOrder poseOrder(const std::vector<SceneObject>& objects);

}  // namespace models

#endif
