#include "render/triangle_area.h"

#include <cmath>

namespace standin {

bool hasArea(const TriangleMesh& mesh, const std::array<std::uint32_t, 3>& triangle) {
    const Point3f& a = mesh.positions[triangle[0]];
    const Point3f& b = mesh.positions[triangle[1]];
    const Point3f& c = mesh.positions[triangle[2]];
    const double e1[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double e2[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                         e1[0] * e2[1] - e1[1] * e2[0]};
    const double area2 = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
    return area2 > 0.0 && std::isfinite(area2);
}

}  // namespace standin
