// The size in pixels of the frame a scene's camera renders: its CustomSize, or, for a
// Resolution preset without one, a size of the preview's own choosing. No description of
// the renderer gives the presets' pixels, so they are taken as 4:3 frames doubling from
// 160 × 120: super low (-1) 160 × 120, low (0) 320 × 240, medium (1) 640 × 480, high (2)
// 1280 × 960, print (3) 2560 × 1920.
#ifndef PELORIX3_MODELS_SCENE_FRAME_SIZE_H
#define PELORIX3_MODELS_SCENE_FRAME_SIZE_H

#include <array>

#include "models/scene_file.h"

namespace models {

// Width and height.
std::array<int, 2> frameSize(const SceneCamera& camera);

}  // namespace models

#endif
