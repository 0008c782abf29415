// Crease normals where triangles of two planes meet at one vertex, the second plane tilted
// from the first: at that vertex each triangle's normal takes the other plane's in only
// when the tilt is within the crease angle. Few triangles around a vertex are compared in
// pairs, many (the corner a large face's triangles fan out from) by groups of one normal;
// both must agree, near the crease angle too. When the two fans are of two surfaces, they
// are never joined.
#include "models/crease_normals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using models::Point3f;

// Vertex 0 at the origin, in `perFan` triangles (one triangle, given again and again) in
// the plane z = 0 and as many in that plane turned about the x axis by `tilt`, all of the
// same area, a small one (the normals' sums are short).
models::TriangleMesh twoFans(int perFan, double tilt) {
    const float size = 0.01f;
    models::TriangleMesh mesh;
    mesh.positions = {{0, 0, 0},
                      {size, 0, 0},
                      {0, size, 0},
                      {-size, 0, 0},
                      {0, float(-size * std::cos(tilt)), float(-size * std::sin(tilt))}};
    mesh.triangles.assign(std::size_t(perFan), {0, 1, 2});
    mesh.triangles.insert(mesh.triangles.end(), std::size_t(perFan), {0, 3, 4});
    return mesh;
}

TEST(CreaseNormals, AtAVertexTakeTheTrianglesWithinTheCreaseAngleAlone) {
    const double crease = std::numbers::pi / 3;  // 60 degrees
    const struct {
        const char* name;
        double tilt;
        bool joined;
    } tilts[] = {
        {"WellWithin", crease - 0.17, true},
        {"WellBeyond", crease + 0.17, false},
        {"JustWithin", crease - 3e-6, true},
        {"JustBeyond", crease + 3e-6, false},
    };
    for (const bool twoSurfaces : {false, true}) {
        for (const int perFan : {20, 500}) {
            for (const auto& [name, tilt, joinedInOne] : tilts) {
                models::TriangleMesh mesh = twoFans(perFan, tilt);
                if (twoSurfaces) {
                    mesh.triangleSurfaces.assign(std::size_t(perFan), 0);
                    mesh.triangleSurfaces.insert(mesh.triangleSurfaces.end(), std::size_t(perFan),
                                                 1);
                }
                models::computeCreaseNormals(mesh, 60.0);
                // Both fans' triangles have the same area: joined, the normal lies halfway.
                const bool joined = joinedInOne && !twoSurfaces;
                const double half = joined ? tilt / 2 : 0.0;
                for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
                    const bool tilted = t >= std::size_t(perFan);
                    const double angle = tilted ? tilt - half : half;
                    const Point3f& n = mesh.cornerNormals[t][0];
                    ASSERT_NEAR(n[1], -std::sin(angle), 1e-5) << name << " " << perFan << " " << t;
                    ASSERT_NEAR(n[2], std::cos(angle), 1e-5)
                        << name << " " << perFan << " " << t << " " << twoSurfaces;
                }
            }
        }
    }
}

}  // namespace
