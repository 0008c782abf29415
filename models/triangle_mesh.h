// A triangle mesh as the renderer traces it: single-precision vertex positions, three
// vertex indices per triangle, and a normal for each corner of each triangle, so that a
// vertex where a crease meets can carry a different normal in each triangle around it.
#ifndef PELORIX3_MODELS_TRIANGLE_MESH_H
#define PELORIX3_MODELS_TRIANGLE_MESH_H

#include <array>
#include <cstdint>
#include <vector>

namespace models {

using Point3f = std::array<float, 3>;
using Point2f = std::array<float, 2>;

struct Bounds {
    Point3f low{0.0f, 0.0f, 0.0f};
    Point3f high{0.0f, 0.0f, 0.0f};
};

struct TriangleMesh {
    std::vector<Point3f> positions;
    std::vector<std::array<std::uint32_t, 3>> triangles;
    // Three per triangle, in the order of its corners; unit length.
    std::vector<std::array<Point3f, 3>> cornerNormals;
    // Three texture coordinates (u, v) per triangle, in the order of its corners; empty
    // when the model gives none.
    std::vector<std::array<Point2f, 3>> cornerTexcoords;
    // The surface of each triangle, numbered from 0 in the model's list of surfaces; empty
    // when the model has one surface.
    std::vector<std::uint32_t> triangleSurfaces;

    std::size_t triangleCount() const { return triangles.size(); }
    // The box around every vertex; all zero for a mesh without vertices.
    Bounds bounds() const;
    // Whether every coordinate of every position is a finite number.
    bool hasFinitePositions() const;
};

}  // namespace models

#endif
