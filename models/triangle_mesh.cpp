#include "models/triangle_mesh.h"

#include <algorithm>

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

}  // namespace models
