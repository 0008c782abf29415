// A polygon's corners projected into its own plane, and the triangles it is split into.
// Both ways of splitting a polygon (ear clipping, and the sweep for large polygons) work on
// this: the corners in the polygon's winding, and the sign of its area in the plane.
#ifndef PELORIX3_MODELS_PLANE_POLYGON_H
#define PELORIX3_MODELS_PLANE_POLYGON_H

#include <array>
#include <cstdint>

namespace models {

// A triangle as three corner numbers of its polygon (from 0).
using CornerTriangle = std::array<std::uint32_t, 3>;

struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

}  // namespace models

#endif
