// The ray scene traced by Embree, natively.
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

}  // namespace

struct RayScene::Tracer {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr;

    ~Tracer() {
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
    auto embree = std::make_unique<Tracer>();
    embree->device = rtcNewDevice(nullptr);
    if (!embree->device) return Outcome::failure("Embree could not start on this machine");
    embree->scene = rtcNewScene(embree->device);
    if (!embree->scene) return Outcome::failure(embree->lastError());
    rtcSetSceneBuildQuality(embree->scene, RTC_BUILD_QUALITY_MEDIUM);
    return Outcome::success(std::unique_ptr<RayScene>(new RayScene(std::move(embree))));
}

RayScene::RayScene(std::unique_ptr<Tracer> tracer) : tracer_(std::move(tracer)) {}

RayScene::~RayScene() = default;

int RayScene::add(const Sphere& sphere) {
    RTCGeometry geometry = rtcNewGeometry(tracer_->device, RTC_GEOMETRY_TYPE_SPHERE_POINT);
    auto* point = static_cast<float*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT4, 4 * sizeof(float), 1));
    point[0] = static_cast<float>(sphere.center[0]);
    point[1] = static_cast<float>(sphere.center[1]);
    point[2] = static_cast<float>(sphere.center[2]);
    point[3] = static_cast<float>(sphere.radius);
    return remember(tracer_->attach(geometry), {});
}

int RayScene::add(TriangleMesh mesh) {
    RTCGeometry geometry = rtcNewGeometry(tracer_->device, RTC_GEOMETRY_TYPE_TRIANGLE);
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
    return remember(tracer_->attach(geometry), std::move(mesh.cornerNormals));
}

Status RayScene::commit() {
    rtcCommitScene(tracer_->scene);
    if (rtcGetDeviceError(tracer_->device) != RTC_ERROR_NONE) {
        return Status::failure("cannot build the ray-tracing scene: " + tracer_->lastError());
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
    rtcIntersect1(tracer_->scene, &context, &query);
    if (query.hit.geomID == RTC_INVALID_GEOMETRY_ID) return std::nullopt;

    // Embree's u and v are the weights of the second and third corners.
    return finishHit(origin, direction, query.ray.tfar, query.hit.geomID, query.hit.primID,
                     {query.hit.Ng_x, query.hit.Ng_y, query.hit.Ng_z}, query.hit.u, query.hit.v);
}

bool RayScene::occluded(const double from[3], const double toLight[3], double maxDistance) const {
    RTCRay ray = makeRay(toTriple(from), toTriple(toLight), maxDistance);
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    rtcOccluded1(tracer_->scene, &context, &ray);
    return ray.tfar == -std::numeric_limits<float>::infinity();
}

}  // namespace standin
