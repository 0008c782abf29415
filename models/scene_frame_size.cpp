#include "models/scene_frame_size.h"

#include <algorithm>

namespace models {
namespace {

// Medium resolution, the renderer's default.
constexpr std::array<int, 2> kMediumFrame{640, 480};

}  // namespace

std::array<int, 2> frameSize(const SceneCamera& camera) {
    if (camera.customSize) return *camera.customSize;
    // Each step of the preset doubles the frame's sides.
    const int steps = std::clamp(camera.resolution, -1, 3) - 1;
    if (steps < 0) return {kMediumFrame[0] >> -steps, kMediumFrame[1] >> -steps};
    return {kMediumFrame[0] << steps, kMediumFrame[1] << steps};
}

}  // namespace models
