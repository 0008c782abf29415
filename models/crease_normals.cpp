#include "models/crease_normals.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/triple.h"

namespace models {
namespace {

using base::Triple;

// From `from` to `to`, in double precision.
Triple edge(const Point3f& from, const Point3f& to) {
    return {double(to[0]) - from[0], double(to[1]) - from[1], double(to[2]) - from[2]};
}

// Divided by its length (not multiplied by its inverse, as base::unit does); (0, 1, 0)
// for a vector without length.
Triple unitOf(const Triple& v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? Triple{v[0] / length, v[1] / length, v[2] / length}
                        : Triple{0.0, 1.0, 0.0};
}

// Twice the triangle's area along its unit normal: the area weight comes for free.
Triple areaNormal(const TriangleMesh& mesh, std::size_t t) {
    const auto& [a, b, c] = mesh.triangles[t];
    return cross(edge(mesh.positions[a], mesh.positions[b]),
                 edge(mesh.positions[a], mesh.positions[c]));
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

// Up to this many triangles around a vertex, each is compared with every other. Around
// more (the corner a large face's triangles fan out from), triangles whose normals lie
// within kGroupRadius of each other are taken together, so that a vertex of d triangles
// in g such groups costs d × g rather than d².
constexpr std::size_t kMostComparedInPairs = 256;
constexpr std::size_t kMostGroups = 64;  // beyond which every pair is compared after all
// Radians: a group's spread, and the margin beyond it within which a group that lies near
// the crease angle from a triangle has its members compared one by one. Both far above
// what rounding does to the angles, far below any crease angle a person tells apart.
constexpr double kGroupRadius = 1e-6;
constexpr double kCreaseMargin = 1e-5;

double angleBetween(const Triple& a, const Triple& b) {
    return std::acos(std::clamp(dot(a, b), -1.0, 1.0));
}

struct NormalGroup {
    std::uint32_t surface = 0;
    Triple direction{};  // of its first triangle
    Triple sum{};        // of its triangles' area normals
    std::vector<std::uint32_t> members;
};

class CreaseSmoothing {
public:
    CreaseSmoothing(TriangleMesh& mesh, const std::vector<double>& creaseAnglesDegrees);
    void smoothAround(std::uint32_t vertex);

private:
    std::uint32_t surfaceOf(std::uint32_t triangle) const {
        return mesh_.triangleSurfaces.empty() ? 0 : mesh_.triangleSurfaces[triangle];
    }
    void setNormal(std::uint32_t triangle, std::uint32_t vertex, const Triple& sum);
    Triple sumInPairs(std::uint32_t triangle, std::uint32_t vertex) const;
    bool groupAround(std::uint32_t vertex);
    Triple sumOfGroups(std::uint32_t triangle) const;

    TriangleMesh& mesh_;
    std::vector<double> crease_;  // radians, of each surface
    std::vector<double> cosCrease_;
    std::vector<Triple> faceNormals_;
    std::vector<Triple> unitFaceNormals_;
    VertexFaces faces_;
    std::vector<NormalGroup> groups_;
};

CreaseSmoothing::CreaseSmoothing(TriangleMesh& mesh, const std::vector<double>& creaseAnglesDegrees)
    : mesh_(mesh),
      faceNormals_(mesh.triangles.size()),
      unitFaceNormals_(mesh.triangles.size()),
      faces_(facesAroundVertices(mesh)) {
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        faceNormals_[t] = areaNormal(mesh, t);
        unitFaceNormals_[t] = unitOf(faceNormals_[t]);
    }
    for (const double degrees : creaseAnglesDegrees) {
        crease_.push_back(degrees * std::numbers::pi / 180.0);
        cosCrease_.push_back(std::cos(crease_.back()));
    }
    mesh.cornerNormals.resize(mesh.triangles.size());
}

void CreaseSmoothing::setNormal(std::uint32_t triangle, std::uint32_t vertex, const Triple& sum) {
    const Triple n = dot(sum, sum) > 0.0 ? unitOf(sum) : unitFaceNormals_[triangle];
    const auto& corners = mesh_.triangles[triangle];
    const auto corner = static_cast<std::size_t>(std::find(corners.begin(), corners.end(), vertex) -
                                                 corners.begin());
    mesh_.cornerNormals[triangle][corner] = {float(n[0]), float(n[1]), float(n[2])};
}

Triple CreaseSmoothing::sumInPairs(std::uint32_t triangle, std::uint32_t vertex) const {
    Triple sum{};
    const std::uint32_t surface = surfaceOf(triangle);
    for (std::uint32_t i = faces_.first[vertex]; i < faces_.first[vertex + 1]; ++i) {
        const std::uint32_t other = faces_.triangles[i];
        // The triangle itself always counts, whatever rounding does to the cosine.
        if (other != triangle &&
            (surfaceOf(other) != surface ||
             dot(unitFaceNormals_[other], unitFaceNormals_[triangle]) < cosCrease_[surface])) {
            continue;
        }
        sum = sum + faceNormals_[other];
    }
    return sum;
}

// False when the triangles' normals fall into more than kMostGroups groups.
bool CreaseSmoothing::groupAround(std::uint32_t vertex) {
    groups_.clear();
    for (std::uint32_t i = faces_.first[vertex]; i < faces_.first[vertex + 1]; ++i) {
        const std::uint32_t t = faces_.triangles[i];
        const Triple& n = unitFaceNormals_[t];
        const std::uint32_t surface = surfaceOf(t);
        auto group = std::find_if(groups_.begin(), groups_.end(), [&](const NormalGroup& g) {
            return g.surface == surface && angleBetween(g.direction, n) <= kGroupRadius;
        });
        if (group == groups_.end()) {
            if (groups_.size() == kMostGroups) return false;
            groups_.push_back({surface, n, {}, {}});
            group = groups_.end() - 1;
        }
        group->sum = group->sum + faceNormals_[t];
        group->members.push_back(t);
    }
    return true;
}

// Every member of a group well within the crease angle counts, none of one well beyond it;
// the members of a group near it are compared one by one.
Triple CreaseSmoothing::sumOfGroups(std::uint32_t triangle) const {
    const Triple& n = unitFaceNormals_[triangle];
    const std::uint32_t surface = surfaceOf(triangle);
    const double crease = crease_[surface];
    Triple sum{};
    const auto add = [&sum](const Triple& v) { sum = sum + v; };
    for (const NormalGroup& group : groups_) {
        if (group.surface != surface) continue;
        const double angle = angleBetween(group.direction, n);
        if (angle <= crease - kCreaseMargin) {
            add(group.sum);
        } else if (angle <= crease + kCreaseMargin) {
            for (const std::uint32_t other : group.members) {
                if (other == triangle || dot(unitFaceNormals_[other], n) >= cosCrease_[surface]) {
                    add(faceNormals_[other]);
                }
            }
        }
    }
    return sum;
}

void CreaseSmoothing::smoothAround(std::uint32_t vertex) {
    const std::uint32_t first = faces_.first[vertex];
    const std::uint32_t end = faces_.first[vertex + 1];
    const bool grouped = end - first > kMostComparedInPairs && groupAround(vertex);
    for (std::uint32_t i = first; i < end; ++i) {
        const std::uint32_t t = faces_.triangles[i];
        setNormal(t, vertex, grouped ? sumOfGroups(t) : sumInPairs(t, vertex));
    }
}

}  // namespace

void computeCreaseNormals(TriangleMesh& mesh, double creaseAngleDegrees) {
    const std::uint32_t surfaces =
        mesh.triangleSurfaces.empty()
            ? 1
            : *std::max_element(mesh.triangleSurfaces.begin(), mesh.triangleSurfaces.end()) + 1;
    computeCreaseNormals(mesh, std::vector<double>(surfaces, creaseAngleDegrees));
}

void computeCreaseNormals(TriangleMesh& mesh, const std::vector<double>& creaseAnglesDegrees) {
    CreaseSmoothing smoothing(mesh, creaseAnglesDegrees);
    for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
        smoothing.smoothAround(static_cast<std::uint32_t>(v));
    }
}

}  // namespace models
