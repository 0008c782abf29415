#include "models/model_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace models {
namespace {

std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

base::Result<ModelFrame> frameOf(const std::vector<std::array<double, 3>>& positions,
                                 const std::string& name) {
    std::array<double, 3> low = positions.front();
    std::array<double, 3> high = low;
    for (const auto& p : positions) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], p[axis]);
            high[axis] = std::max(high[axis], p[axis]);
        }
    }
    const double size = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
    if (size > 0.0 && size < kSmallestModel) {
        return base::Result<ModelFrame>::failure(name + " is too small to place: it measures " +
                                                 shortNumber(size) + " across, less than 1e-300");
    }
    ModelFrame frame;
    frame.unit = size > 0.0 ? std::ldexp(1.0, std::ilogb(size)) : 1.0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        frame.origin[axis] = 0.5 * (low[axis] + high[axis]);
    }
    return base::Result<ModelFrame>::success(frame);
}

std::vector<Point3f> positionsInFrame(const std::vector<std::array<double, 3>>& positions,
                                      const ModelFrame& frame) {
    std::vector<Point3f> framed(positions.size());
    for (std::size_t v = 0; v < positions.size(); ++v) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            framed[v][axis] =
                static_cast<float>((positions[v][axis] - frame.origin[axis]) / frame.unit);
        }
    }
    return framed;
}

}  // namespace models
