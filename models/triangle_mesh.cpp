#include "models/triangle_mesh.h"

#include <algorithm>
#include <cmath>

namespace models {

Bounds TriangleMesh::bounds() const {
    if (positions.empty()) return {};
    Bounds box{positions.front(), positions.front()};
    for (const Point3f& p : positions) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            box.low[axis] = std::min(box.low[axis], p[axis]);
            box.high[axis] = std::max(box.high[axis], p[axis]);
        }
    }
    return box;
}

bool TriangleMesh::hasFinitePositions() const {
    return std::all_of(positions.begin(), positions.end(), [](const Point3f& p) {
        return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
    });
}

}  // namespace models
