#include "models/polygon_triangulation.h"

#include <cmath>

namespace models {
namespace {

// Newell's normal: twice the polygon's area along its best-fit plane's normal, also for a
// polygon whose corners do not quite lie in one plane.
std::array<double, 3> areaNormal(const std::vector<std::array<double, 3>>& corners) {
    std::array<double, 3> normal{0.0, 0.0, 0.0};
    for (std::size_t i = 0, before = corners.size() - 1; i < corners.size(); before = i++) {
        const auto& a = corners[before];
        const auto& b = corners[i];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return normal;
}

int largestAxis(const std::array<double, 3>& v) {
    const double x = std::abs(v[0]), y = std::abs(v[1]), z = std::abs(v[2]);
    return x >= y && x >= z ? 0 : (y >= z ? 1 : 2);
}

void fan(std::size_t count, std::vector<CornerTriangle>& triangles) {
    for (std::uint32_t c = 1; c + 1 < count; ++c) triangles.push_back({0, c, c + 1});
}

}  // namespace

bool PolygonTriangulation::split(const std::vector<std::array<double, 3>>& corners,
                                 std::vector<CornerTriangle>& triangles) {
    const std::size_t count = corners.size();
    if (count < 3) return true;
    if (count == 3) {
        triangles.push_back({0, 1, 2});
        return true;
    }
    const std::array<double, 3> normal = areaNormal(corners);
    const int axis = largestAxis(normal);
    if (!(std::abs(normal[axis]) > 0.0)) {
        fan(count, triangles);  // no area in any plane: its triangles have none either
        return true;
    }
    const double orientation = normal[axis] > 0.0 ? 1.0 : -1.0;
    project(corners, axis);
    const std::size_t before = triangles.size();
    if (count <= kMostCornersEarClipped) {
        if (earClipping_.split(points_, orientation, triangles)) return true;
        triangles.resize(before);
    }
    if (sweep_.split(points_, orientation, triangles)) return true;
    triangles.resize(before);
    fan(count, triangles);
    return false;
}

// Along the axis nearest the polygon's normal onto the plane of the other two, taken in
// the order in which the polygon's area along that axis is positive for a winding that
// turns left: the polygon keeps its shape up to an affine map of its plane, which keeps
// every ear an ear.
void PolygonTriangulation::project(const std::vector<std::array<double, 3>>& corners, int axis) {
    const auto u = static_cast<std::size_t>((axis + 1) % 3);
    const auto v = static_cast<std::size_t>((axis + 2) % 3);
    points_.resize(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) points_[i] = {corners[i][u], corners[i][v]};
}

}  // namespace models
