#include "render/ray_scene.h"

#include <embree3/rtcore.h>

#include <cmath>
#include <limits>

namespace standin {
namespace {

float toFloatDistance(double distance) {
    return distance >= double(std::numeric_limits<float>::max())
               ? std::numeric_limits<float>::infinity()
               : static_cast<float>(distance);
}

RTCRay makeRay(const Triple& origin, const Triple& direction, double maxDistance) {
    RTCRay ray{};
    ray.org_x = static_cast<float>(origin[0]);
    ray.org_y = static_cast<float>(origin[1]);
    ray.org_z = static_cast<float>(origin[2]);
    ray.dir_x = static_cast<float>(direction[0]);
    ray.dir_y = static_cast<float>(direction[1]);
    ray.dir_z = static_cast<float>(direction[2]);
    ray.tnear = static_cast<float>(RayScene::minimumDistance);
    ray.tfar = toFloatDistance(maxDistance);
    ray.mask = 0xFFFFFFFFu;
    return ray;
}

double dot(const Triple& a, const Triple& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Triple unitOr(const Triple& v, const Triple& fallback) { return unit(v).value_or(fallback); }

Triple interpolate(const std::array<Point3f, 3>& corners, float u, float v) {
    const double w = 1.0 - double(u) - double(v);
    Triple sum{};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        sum[axis] = w * corners[0][axis] + u * corners[1][axis] + v * corners[2][axis];
    }
    return sum;
}

}  // namespace

struct RayScene::Embree {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr;

    ~Embree() {
        if (scene) rtcReleaseScene(scene);
        if (device) rtcReleaseDevice(device);
    }

    std::string lastError() const {
        switch (rtcGetDeviceError(device)) {
            case RTC_ERROR_OUT_OF_MEMORY:
                return "Embree ran out of memory";
            case RTC_ERROR_NONE:
                return "Embree failed";
            default:
                return "Embree reported an error";
        }
    }

    unsigned attach(RTCGeometry geometry) {
        rtcCommitGeometry(geometry);
        const unsigned id = rtcAttachGeometry(scene, geometry);
        rtcReleaseGeometry(geometry);
        return id;
    }
};

Result<std::unique_ptr<RayScene>> RayScene::create() {
    using Outcome = Result<std::unique_ptr<RayScene>>;
    auto embree = std::make_unique<Embree>();
    embree->device = rtcNewDevice(nullptr);
    if (!embree->device) return Outcome::failure("Embree could not start on this machine");
    embree->scene = rtcNewScene(embree->device);
    if (!embree->scene) return Outcome::failure(embree->lastError());
    rtcSetSceneBuildQuality(embree->scene, RTC_BUILD_QUALITY_MEDIUM);
    return Outcome::success(std::unique_ptr<RayScene>(new RayScene(std::move(embree))));
}

RayScene::RayScene(std::unique_ptr<Embree> embree) : embree_(std::move(embree)) {}

RayScene::~RayScene() = default;

int RayScene::add(const Sphere& sphere) {
    RTCGeometry geometry = rtcNewGeometry(embree_->device, RTC_GEOMETRY_TYPE_SPHERE_POINT);
    auto* point = static_cast<float*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT4, 4 * sizeof(float), 1));
    point[0] = static_cast<float>(sphere.center[0]);
    point[1] = static_cast<float>(sphere.center[1]);
    point[2] = static_cast<float>(sphere.center[2]);
    point[3] = static_cast<float>(sphere.radius);
    return remember(embree_->attach(geometry), {});
}

int RayScene::add(const Floor& floor) {
    const float h = static_cast<float>(floor.height);
    const float s = static_cast<float>(floor.halfSize);
    TriangleMesh quad;
    quad.positions = {{-s, h, -s}, {s, h, -s}, {s, h, s}, {-s, h, s}};
    quad.triangles = {{0, 2, 1}, {0, 3, 2}};
    const Point3f up{0.0f, 1.0f, 0.0f};
    quad.cornerNormals = {{up, up, up}, {up, up, up}};
    return add(std::move(quad));
}

int RayScene::add(TriangleMesh mesh) {
    RTCGeometry geometry = rtcNewGeometry(embree_->device, RTC_GEOMETRY_TYPE_TRIANGLE);
    auto* vertices = static_cast<float*>(
        rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3,
                                3 * sizeof(float), mesh.positions.size()));
    auto* indices = static_cast<unsigned*>(
        rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                3 * sizeof(unsigned), mesh.triangles.size()));
    if (vertices && indices) {
        for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
            for (std::size_t axis = 0; axis < 3; ++axis) {
                vertices[3 * v + axis] = mesh.positions[v][axis];
            }
        }
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            for (std::size_t c = 0; c < 3; ++c) indices[3 * t + c] = mesh.triangles[t][c];
        }
    }
    // Embree holds the positions and triangles; only the normals are needed here.
    return remember(embree_->attach(geometry), std::move(mesh.cornerNormals));
}

int RayScene::remember(unsigned id, std::vector<std::array<Point3f, 3>> cornerNormals) {
    if (cornerNormals_.size() <= id) cornerNormals_.resize(id + 1);
    cornerNormals_[id] = std::move(cornerNormals);
    return static_cast<int>(id);
}

Status RayScene::commit() {
    rtcCommitScene(embree_->scene);
    if (rtcGetDeviceError(embree_->device) != RTC_ERROR_NONE) {
        return Status::failure("cannot build the ray-tracing scene: " + embree_->lastError());
    }
    return succeeded();
}

std::optional<RayHit> RayScene::nearestHit(const Triple& origin, const Triple& direction,
                                           double maxDistance) const {
    RTCRayHit query{};
    query.ray = makeRay(origin, direction, maxDistance);
    query.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    query.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    rtcIntersect1(embree_->scene, &context, &query);
    if (query.hit.geomID == RTC_INVALID_GEOMETRY_ID) return std::nullopt;

    RayHit hit;
    hit.distance = query.ray.tfar;
    hit.position = {origin[0] + direction[0] * hit.distance,
                    origin[1] + direction[1] * hit.distance,
                    origin[2] + direction[2] * hit.distance};
    hit.object = static_cast<int>(query.hit.geomID);
    hit.primitive = static_cast<int>(query.hit.primID);
    hit.geometricNormal = unitOr({query.hit.Ng_x, query.hit.Ng_y, query.hit.Ng_z}, {0.0, 1.0, 0.0});
    const auto& normals = cornerNormals_[query.hit.geomID];
    if (normals.empty()) {
        hit.normal = hit.geometricNormal;
        return hit;
    }
    hit.normal = unitOr(interpolate(normals[query.hit.primID], query.hit.u, query.hit.v),
                        hit.geometricNormal);
    // Embree's winding need not be the mesh's: the geometric normal takes the side of the
    // normals the mesh was given.
    if (dot(hit.geometricNormal, hit.normal) < 0.0)
        hit.geometricNormal = hit.geometricNormal * -1.0;
    return hit;
}

bool RayScene::occluded(const double from[3], const double toLight[3], double maxDistance) const {
    RTCRay ray = makeRay(toTriple(from), toTriple(toLight), maxDistance);
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    rtcOccluded1(embree_->scene, &context, &ray);
    return ray.tfar == -std::numeric_limits<float>::infinity();
}

OcclusionTest RayScene::occlusionTest() const {
    return [this](const double from[3], const double toLight[3], double maxDistance) {
        return occluded(from, toLight, maxDistance);
    };
}

}  // namespace standin
