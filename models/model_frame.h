// Where a mesh's positions lie in its model's own units. A model file's coordinates are
// moved to the model's centre and scaled by a power of two in double precision before they
// are narrowed to the single precision the renderer traces in, so that a model far from
// its origin, or of any size, keeps its detail.
#ifndef PELORIX3_MODELS_MODEL_FRAME_H
#define PELORIX3_MODELS_MODEL_FRAME_H

#include <array>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/triple.h"
#include "models/triangle_mesh.h"

namespace models {

// Models that measure less across (along their longest side) are refused: the placement
// could not scale them up in double precision.
inline constexpr double kSmallestModel = 1e-300;

// model = position × unit + origin
struct ModelFrame {
    base::Triple origin{0.0, 0.0, 0.0};
    double unit = 1.0;
};

// The frame that centres `positions` (at least one) on their box and scales them by the
// power of two that brings the longest side between 1 and 2: a scaling that loses no bits.
// Fails for a model smaller than kSmallestModel; `name` stands for its file.
base::Result<ModelFrame> frameOf(const std::vector<std::array<double, 3>>& positions,
                                 const std::string& name);

// The positions in `frame`, narrowed to single precision.
std::vector<Point3f> positionsInFrame(const std::vector<std::array<double, 3>>& positions,
                                      const ModelFrame& frame);

}  // namespace models

#endif
