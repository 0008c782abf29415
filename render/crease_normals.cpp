#include "render/crease_normals.h"

#include <cmath>
#include <numbers>

namespace standin {
namespace {

struct Vec {
    double x = 0.0, y = 0.0, z = 0.0;
};

Vec operator-(const Point3f& a, const Point3f& b) {
    return {double(a[0]) - b[0], double(a[1]) - b[1], double(a[2]) - b[2]};
}

Vec cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec unitOf(const Vec& v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? Vec{v.x / length, v.y / length, v.z / length} : Vec{0.0, 1.0, 0.0};
}

// Twice the triangle's area along its unit normal: the area weight comes for free.
Vec areaNormal(const TriangleMesh& mesh, std::size_t t) {
    const auto& [a, b, c] = mesh.triangles[t];
    return cross(mesh.positions[b] - mesh.positions[a], mesh.positions[c] - mesh.positions[a]);
}

// For every vertex, the triangles that use it, packed: those of vertex v are
// triangles[first[v]] up to triangles[first[v + 1]].
struct VertexFaces {
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> triangles;
};

VertexFaces facesAroundVertices(const TriangleMesh& mesh) {
    VertexFaces faces;
    faces.first.assign(mesh.positions.size() + 1, 0);
    for (const auto& triangle : mesh.triangles) {
        for (const std::uint32_t v : triangle) ++faces.first[v + 1];
    }
    for (std::size_t v = 1; v < faces.first.size(); ++v) faces.first[v] += faces.first[v - 1];
    faces.triangles.resize(faces.first.back());
    std::vector<std::uint32_t> filled(faces.first.begin(), faces.first.end() - 1);
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        for (const std::uint32_t v : mesh.triangles[t]) {
            faces.triangles[filled[v]++] = static_cast<std::uint32_t>(t);
        }
    }
    return faces;
}

}  // namespace

void computeCreaseNormals(TriangleMesh& mesh, double creaseAngleDegrees) {
    const double cosCrease = std::cos(creaseAngleDegrees * std::numbers::pi / 180.0);
    std::vector<Vec> faceNormals(mesh.triangles.size());
    std::vector<Vec> unitFaceNormals(mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        faceNormals[t] = areaNormal(mesh, t);
        unitFaceNormals[t] = unitOf(faceNormals[t]);
    }
    const VertexFaces faces = facesAroundVertices(mesh);
    mesh.cornerNormals.resize(mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const std::uint32_t v = mesh.triangles[t][corner];
            Vec sum;
            for (std::uint32_t i = faces.first[v]; i < faces.first[v + 1]; ++i) {
                const std::uint32_t other = faces.triangles[i];
                // The triangle itself always counts, whatever rounding does to the cosine.
                if (other != t && dot(unitFaceNormals[other], unitFaceNormals[t]) < cosCrease) {
                    continue;
                }
                sum = {sum.x + faceNormals[other].x, sum.y + faceNormals[other].y,
                       sum.z + faceNormals[other].z};
            }
            const Vec n = dot(sum, sum) > 0.0 ? unitOf(sum) : unitFaceNormals[t];
            mesh.cornerNormals[t][corner] = {float(n.x), float(n.y), float(n.z)};
        }
    }
}

}  // namespace standin
