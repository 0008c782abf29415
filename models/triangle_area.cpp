#include "models/triangle_area.h"

#include <cmath>

#include "base/triple.h"

namespace models {

bool hasArea(const TriangleMesh& mesh, const std::array<std::uint32_t, 3>& triangle) {
    const Point3f& a = mesh.positions[triangle[0]];
    const Point3f& b = mesh.positions[triangle[1]];
    const Point3f& c = mesh.positions[triangle[2]];
    const base::Triple e1{double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const base::Triple e2{double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const base::Triple n = cross(e1, e2);
    const double area2 = dot(n, n);
    return area2 > 0.0 && std::isfinite(area2);
}

}  // namespace models
