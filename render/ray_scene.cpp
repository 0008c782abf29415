// What every tracer of the ray scene shares: the floor as two triangles, the corner
// normals kept by object, a found hit made into a RayHit, and the host's occlusion test.
#include "render/ray_scene.h"

namespace render {
namespace {

// u and v are single precision, as Embree reports them, and so are their products with
// the corner normals.
base::Triple interpolate(const std::array<models::Point3f, 3>& corners, float u, float v) {
    const double w = 1.0 - double(u) - double(v);
    base::Triple sum{};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        sum[axis] = w * corners[0][axis] + u * corners[1][axis] + v * corners[2][axis];
    }
    return sum;
}

}  // namespace

int RayScene::add(const Floor& floor) {
    const float h = static_cast<float>(floor.height);
    const float s = static_cast<float>(floor.halfSize);
    models::TriangleMesh quad;
    quad.positions = {{-s, h, -s}, {s, h, -s}, {s, h, s}, {-s, h, s}};
    quad.triangles = {{0, 2, 1}, {0, 3, 2}};
    const models::Point3f up{0.0f, 1.0f, 0.0f};
    quad.cornerNormals = {{up, up, up}, {up, up, up}};
    return add(std::move(quad));
}

int RayScene::remember(unsigned id, std::vector<std::array<models::Point3f, 3>> cornerNormals) {
    if (cornerNormals_.size() <= id) cornerNormals_.resize(id + 1);
    cornerNormals_[id] = std::move(cornerNormals);
    return static_cast<int>(id);
}

RayHit RayScene::finishHit(const base::Triple& origin, const base::Triple& direction,
                           double distance, unsigned id, unsigned primitive, const base::Triple& ng,
                           float u, float v) const {
    RayHit hit;
    hit.distance = distance;
    hit.position = {origin[0] + direction[0] * hit.distance,
                    origin[1] + direction[1] * hit.distance,
                    origin[2] + direction[2] * hit.distance};
    hit.object = static_cast<int>(id);
    hit.primitive = static_cast<int>(primitive);
    hit.geometricNormal = unitOr(ng, {0.0, 1.0, 0.0});
    const auto& normals = cornerNormals_[id];
    if (normals.empty()) {  // not a mesh
        hit.normal = hit.geometricNormal;
        return hit;
    }
    hit.u = u;
    hit.v = v;
    hit.normal = unitOr(interpolate(normals[primitive], u, v), hit.geometricNormal);
    // The tracer's winding need not be the mesh's: the geometric normal takes the side of
    // the normals the mesh was given.
    if (dot(hit.geometricNormal, hit.normal) < 0.0)
        hit.geometricNormal = hit.geometricNormal * -1.0;
    return hit;
}

standin::OcclusionTest RayScene::occlusionTest() const {
    return [this](const double from[3], const double toLight[3], double maxDistance) {
        return occluded(from, toLight, maxDistance);
    };
}

}  // namespace render
