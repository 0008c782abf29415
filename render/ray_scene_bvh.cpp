// The ray scene traced by the renderer itself, where Embree does not exist (the
// WebAssembly build): spheres intersected exactly, each mesh's triangles through a
// bounding volume hierarchy of its own (so that the large floor does not swell the
// cloth's boxes), split at the median of the longest axis, all in double precision.
// Object ids count from 0 in the order of adding, as Embree's do; a sphere's primitive
// is 0.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "render/ray_scene.h"

namespace render {
namespace {

struct Box {
    base::Triple low{std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity()};
    base::Triple high{-std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity()};

    void include(const base::Triple& p) {
        for (std::size_t a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    }
    void include(const Box& b) {
        include(b.low);
        include(b.high);
    }
    std::size_t longestAxis() const {
        const base::Triple size = high - low;
        return size[0] >= size[1] && size[0] >= size[2] ? 0 : size[1] >= size[2] ? 1 : 2;
    }
};

struct Triangle {
    base::Triple corner[3];
    unsigned object = 0;
    unsigned primitive = 0;
};

// A node holds either two children (the first right after it, the second at `second`) or
// `count` triangles from `first` on.
struct Node {
    Box box;
    unsigned first = 0;
    unsigned count = 0;
    unsigned second = 0;
};

struct Ray {
    base::Triple origin;
    base::Triple direction;
    base::Triple inverse;
    double nearest;
    double farthest;
};

constexpr unsigned kLeafSize = 4;

base::Triple fromPoint(const models::Point3f& p) { return {p[0], p[1], p[2]}; }

// Whether the ray meets the box within its range, and where it enters it.
bool enters(const Box& box, const Ray& ray, double& at) {
    double t0 = ray.nearest;
    double t1 = ray.farthest;
    for (std::size_t a = 0; a < 3; ++a) {
        double near = (box.low[a] - ray.origin[a]) * ray.inverse[a];
        double far = (box.high[a] - ray.origin[a]) * ray.inverse[a];
        if (near > far) std::swap(near, far);
        t0 = near > t0 ? near : t0;  // a not-a-number bound (0 × infinity) leaves t0 alone
        t1 = far < t1 ? far : t1;
        if (t0 > t1) return false;
    }
    at = t0;
    return true;
}

struct TriangleHit {
    double distance;
    double u;
    double v;
};

// Möller and Trumbore: the distance and the weights of the second and third corners.
std::optional<TriangleHit> intersect(const Triangle& triangle, const Ray& ray) {
    const base::Triple e1 = triangle.corner[1] - triangle.corner[0];
    const base::Triple e2 = triangle.corner[2] - triangle.corner[0];
    const base::Triple p = cross(ray.direction, e2);
    const double determinant = dot(e1, p);
    if (determinant == 0.0 || !std::isfinite(determinant)) return std::nullopt;
    const double inverse = 1.0 / determinant;
    const base::Triple s = ray.origin - triangle.corner[0];
    const double u = dot(s, p) * inverse;
    if (u < 0.0 || u > 1.0) return std::nullopt;
    const base::Triple q = cross(s, e1);
    const double v = dot(ray.direction, q) * inverse;
    if (v < 0.0 || u + v > 1.0) return std::nullopt;
    const double t = dot(e2, q) * inverse;
    if (!(t >= ray.nearest && t <= ray.farthest)) return std::nullopt;
    return TriangleHit{t, u, v};
}

// The nearer of the sphere's two crossings within the ray's range.
std::optional<double> intersect(const Sphere& sphere, const Ray& ray) {
    const base::Triple offset = ray.origin - sphere.center;
    const double b = dot(offset, ray.direction);
    const double c = dot(offset, offset) - sphere.radius * sphere.radius;
    const double discriminant = b * b - c;
    if (!(discriminant >= 0.0)) return std::nullopt;
    const double root = std::sqrt(discriminant);
    for (const double t : {-b - root, -b + root}) {
        if (t >= ray.nearest && t <= ray.farthest) return t;
    }
    return std::nullopt;
}

}  // namespace

struct RayScene::Tracer {
    struct SphereObject {
        Sphere sphere;
        unsigned object;
    };

    // A mesh's triangles, a range of `triangles`, and the root of its hierarchy.
    struct MeshObject {
        unsigned first = 0;
        unsigned count = 0;
        unsigned root = 0;
        ShadowCasting casting = ShadowCasting::Casts;
    };

    std::vector<SphereObject> spheres;
    std::vector<MeshObject> meshes;
    std::vector<Triangle> triangles;
    std::vector<Node> nodes;
    unsigned objects = 0;

    struct Found {
        double distance = 0.0;
        unsigned object = 0;
        unsigned primitive = 0;
        base::Triple ng{0.0, 1.0, 0.0};
        double u = 0.0;
        double v = 0.0;
    };

    Box bounds(unsigned first, unsigned count) const {
        Box box;
        for (unsigned i = first; i < first + count; ++i) {
            for (const base::Triple& corner : triangles[i].corner) box.include(corner);
        }
        return box;
    }

    // Builds the node for triangles [first, first + count) and its subtree, depth first.
    void build(unsigned first, unsigned count) {
        const auto index = static_cast<unsigned>(nodes.size());
        nodes.push_back({bounds(first, count), first, count, 0});
        if (count <= kLeafSize) return;
        Box centres;
        for (unsigned i = first; i < first + count; ++i) centres.include(centre(triangles[i]));
        const std::size_t axis = centres.longestAxis();
        if (!(centres.high[axis] > centres.low[axis])) return;  // all in one place: a leaf
        const unsigned half = count / 2;
        std::nth_element(triangles.begin() + first, triangles.begin() + first + half,
                         triangles.begin() + first + count,
                         [axis](const Triangle& a, const Triangle& b) {
                             return centre(a)[axis] < centre(b)[axis];
                         });
        nodes[index].count = 0;
        build(first, half);
        nodes[index].second = static_cast<unsigned>(nodes.size());
        build(first + half, count - half);
    }

    static base::Triple centre(const Triangle& t) {
        return {(t.corner[0][0] + t.corner[1][0] + t.corner[2][0]) / 3.0,
                (t.corner[0][1] + t.corner[1][1] + t.corner[2][1]) / 3.0,
                (t.corner[0][2] + t.corner[1][2] + t.corner[2][2]) / 3.0};
    }

    // Walks one mesh's hierarchy from `root`, narrowing the ray to each nearer hit; true
    // when it found one.
    bool traverse(unsigned root, Ray& ray, bool anyHit, std::optional<Found>& found) const {
        bool hitSomething = false;
        unsigned stack[64];
        int top = 0;
        stack[top++] = root;
        while (top > 0) {
            const Node& node = nodes[stack[--top]];
            double at = 0.0;
            if (!enters(node.box, ray, at)) continue;  // the ray may have shortened since
            if (node.count > 0) {
                for (unsigned i = node.first; i < node.first + node.count; ++i) {
                    const Triangle& triangle = triangles[i];
                    const std::optional<TriangleHit> hit = intersect(triangle, ray);
                    if (!hit) continue;
                    found = Found{hit->distance,
                                  triangle.object,
                                  triangle.primitive,
                                  cross(triangle.corner[1] - triangle.corner[0],
                                        triangle.corner[2] - triangle.corner[0]),
                                  hit->u,
                                  hit->v};
                    hitSomething = true;
                    if (anyHit) return true;
                    ray.farthest = hit->distance;
                }
                continue;
            }
            // Visit the nearer child first: push it last.
            const unsigned firstChild = static_cast<unsigned>(&node - nodes.data()) + 1;
            double toFirst = 0.0;
            double toSecond = 0.0;
            const bool first = enters(nodes[firstChild].box, ray, toFirst);
            const bool second = enters(nodes[node.second].box, ray, toSecond);
            if (top + 2 > 64) continue;  // deeper than any median split of 2^32 triangles
            if (first && second) {
                stack[top++] = toFirst <= toSecond ? node.second : firstChild;
                stack[top++] = toFirst <= toSecond ? firstChild : node.second;
            } else if (first) {
                stack[top++] = firstChild;
            } else if (second) {
                stack[top++] = node.second;
            }
        }
        return hitSomething;
    }

    // The nearest hit, or with `anyHit` (a shadow ray) the first one found on an object that
    // casts shadows.
    std::optional<Found> trace(Ray ray, bool anyHit) const {
        std::optional<Found> found;
        for (const SphereObject& s : spheres) {
            if (const std::optional<double> t = intersect(s.sphere, ray)) {
                const base::Triple point{ray.origin[0] + ray.direction[0] * *t,
                                         ray.origin[1] + ray.direction[1] * *t,
                                         ray.origin[2] + ray.direction[2] * *t};
                found = Found{*t, s.object, 0, point - s.sphere.center, 0.0, 0.0};
                if (anyHit) return found;
                ray.farthest = *t;
            }
        }
        for (const MeshObject& mesh : meshes) {
            if (mesh.count == 0) continue;
            if (anyHit && mesh.casting == ShadowCasting::DoesNotCast) continue;
            if (traverse(mesh.root, ray, anyHit, found) && anyHit) return found;
        }
        return found;
    }
};

namespace {

Ray makeRay(const base::Triple& origin, const base::Triple& direction, double maxDistance) {
    Ray ray{origin, direction, {}, RayScene::minimumDistance, maxDistance};
    for (std::size_t a = 0; a < 3; ++a) ray.inverse[a] = 1.0 / direction[a];
    return ray;
}

}  // namespace

base::Result<std::unique_ptr<RayScene>> RayScene::create() {
    return base::Result<std::unique_ptr<RayScene>>::success(
        std::unique_ptr<RayScene>(new RayScene(std::make_unique<Tracer>())));
}

RayScene::RayScene(std::unique_ptr<Tracer> tracer) : tracer_(std::move(tracer)) {}

RayScene::~RayScene() = default;

int RayScene::add(const Sphere& sphere) {
    const unsigned id = tracer_->objects++;
    tracer_->spheres.push_back({sphere, id});
    return remember(id, {});
}

int RayScene::add(models::TriangleMesh mesh, ShadowCasting casting) {
    const unsigned id = tracer_->objects++;
    tracer_->meshes.push_back({static_cast<unsigned>(tracer_->triangles.size()),
                               static_cast<unsigned>(mesh.triangles.size()), 0, casting});
    tracer_->triangles.reserve(tracer_->triangles.size() + mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        Triangle triangle;
        for (std::size_t c = 0; c < 3; ++c) {
            triangle.corner[c] = fromPoint(mesh.positions.at(mesh.triangles[t][c]));
        }
        triangle.object = id;
        triangle.primitive = static_cast<unsigned>(t);
        tracer_->triangles.push_back(triangle);
    }
    return remember(id, std::move(mesh.cornerNormals));
}

base::Status RayScene::commit() {
    tracer_->nodes.clear();
    tracer_->nodes.reserve(2 * tracer_->triangles.size() / kLeafSize + tracer_->meshes.size());
    for (Tracer::MeshObject& mesh : tracer_->meshes) {
        mesh.root = static_cast<unsigned>(tracer_->nodes.size());
        if (mesh.count > 0) tracer_->build(mesh.first, mesh.count);
    }
    return base::succeeded();
}

std::optional<RayHit> RayScene::nearestHit(const base::Triple& origin,
                                           const base::Triple& direction,
                                           double maxDistance) const {
    const std::optional<Tracer::Found> found =
        tracer_->trace(makeRay(origin, direction, maxDistance), false);
    if (!found) return std::nullopt;
    return finishHit(origin, direction, found->distance, found->object, found->primitive, found->ng,
                     static_cast<float>(found->u), static_cast<float>(found->v));
}

bool RayScene::occluded(const double from[3], const double toLight[3], double maxDistance) const {
    return tracer_->trace(makeRay(base::toTriple(from), base::toTriple(toLight), maxDistance), true)
        .has_value();
}

}  // namespace render
