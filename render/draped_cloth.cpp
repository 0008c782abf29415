#include "render/draped_cloth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "models/crease_normals.h"

namespace render {
namespace {

constexpr double kBallRadius = 0.55;  // centred on the y axis, on a stand the cloth hides
constexpr double kBallHeight = 1.4;   // of its centre above the floor
constexpr double kClothHalfSize = 1.5;
// Distance along the cloth from its centre to the ball's widest circle.
constexpr double kContactLength = kBallRadius * std::numbers::pi / 2.0;
constexpr double kFlare = 0.28;      // how far the falling cloth swings out per unit fallen
constexpr int kFolds = 9;            // around the ball
constexpr double kFoldDepth = 0.16;  // per unit fallen, at full depth
constexpr double kFoldOnset = 0.45;  // fallen length over which the folds grow in
constexpr double kWrinkleDepth = 0.012;
constexpr double kCreaseAngle = 60.0;

double smoothstep(double edge, double x) {
    const double t = std::clamp(x / edge, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// The cloth point at distance `s` from the centre along direction `theta`.
models::Point3f drape(double s, double theta) {
    double radius = 0.0;
    double height = 0.0;
    if (s <= kContactLength) {  // lying on the ball
        const double polar = s / kBallRadius;
        radius = kBallRadius * std::sin(polar);
        height = kBallHeight + kBallRadius * std::cos(polar);
    } else {
        const double fallen = s - kContactLength;
        const double irregular = theta + 0.6 * std::sin(3.0 * theta + 0.4);
        const double growth = smoothstep(kFoldOnset, fallen);
        const double folds = kFoldDepth * fallen * growth * std::sin(kFolds * irregular);
        const double wrinkles = kWrinkleDepth * growth * std::sin(23.0 * theta + 9.0 * fallen);
        radius = kBallRadius + kFlare * fallen + folds + wrinkles;
        height = kBallHeight - fallen;
    }
    return {static_cast<float>(radius * std::cos(theta)), static_cast<float>(height),
            static_cast<float>(radius * std::sin(theta))};
}

}  // namespace

models::TriangleMesh drapedCloth(int verticesPerSide) {
    const int n = std::max(verticesPerSide, 2);
    models::TriangleMesh mesh;
    mesh.positions.reserve(static_cast<std::size_t>(n) * n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const double x = (2.0 * i / (n - 1) - 1.0) * kClothHalfSize;
            const double z = (2.0 * j / (n - 1) - 1.0) * kClothHalfSize;
            mesh.positions.push_back(drape(std::hypot(x, z), std::atan2(z, x)));
        }
    }
    const auto at = [n](int i, int j) { return static_cast<std::uint32_t>(j * n + i); };
    // The texture coordinates are the grid's: (0, 0) at one corner of the cloth, (1, 1)
    // at the opposite one.
    const auto uv = [n](int i, int j) {
        return models::Point2f{static_cast<float>(i) / (n - 1), static_cast<float>(j) / (n - 1)};
    };
    for (int j = 0; j + 1 < n; ++j) {
        for (int i = 0; i + 1 < n; ++i) {
            // Counter-clockwise seen from above, so the normals face up and out.
            mesh.triangles.push_back({at(i, j), at(i, j + 1), at(i + 1, j + 1)});
            mesh.triangles.push_back({at(i, j), at(i + 1, j + 1), at(i + 1, j)});
            mesh.cornerTexcoords.push_back({uv(i, j), uv(i, j + 1), uv(i + 1, j + 1)});
            mesh.cornerTexcoords.push_back({uv(i, j), uv(i + 1, j + 1), uv(i + 1, j)});
        }
    }
    models::computeCreaseNormals(mesh, kCreaseAngle);
    return mesh;
}

}  // namespace render
