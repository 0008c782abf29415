// The ray scene traced by Embree, natively.
#include <embree3/rtcore.h>
#include <sched.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "render/ray_scene.h"
#include "render/thread_team.h"

namespace render {
namespace {

float toFloatDistance(double distance) {
    return distance >= double(std::numeric_limits<float>::max())
               ? std::numeric_limits<float>::infinity()
               : static_cast<float>(distance);
}

// Every ray meets the objects whose mask shares a bit with its own: camera rays meet all,
// shadow rays only those that cast shadows.
constexpr unsigned kSeenMask = 1u;
constexpr unsigned kCastsShadowsMask = 2u;
constexpr unsigned kCameraRayMask = 0xFFFFFFFFu;

RTCRay makeRay(const base::Triple& origin, const base::Triple& direction, double maxDistance,
               unsigned mask) {
    RTCRay ray{};
    ray.org_x = static_cast<float>(origin[0]);
    ray.org_y = static_cast<float>(origin[1]);
    ray.org_z = static_cast<float>(origin[2]);
    ray.dir_x = static_cast<float>(direction[0]);
    ray.dir_y = static_cast<float>(direction[1]);
    ray.dir_z = static_cast<float>(direction[2]);
    ray.tnear = static_cast<float>(RayScene::minimumDistance);
    ray.tfar = toFloatDistance(maxDistance);
    ray.mask = mask;
    return ray;
}

// The threads Embree's pool uses, the calling thread included: one per core this process
// may run on, as oneTBB counts them by default.
unsigned poolThreads() {
    cpu_set_t cores;
    if (::sched_getaffinity(0, sizeof cores, &cores) == 0)
        return static_cast<unsigned>(std::max(CPU_COUNT(&cores), 1));
    return std::max(std::thread::hardware_concurrency(), 1u);
}

// A scene whose build failed is kept here, reachable, until the process ends: releasing it
// could end the process (see Tracer).
void keepUnreleased(RTCScene scene) {
    static auto* const kept = new std::vector<RTCScene>;
    kept->push_back(scene);
}

// Embree's thread pool (oneTBB) starts its threads when a scene is first built, some of
// them from its own threads, where a thread that cannot start ends the whole process. So
// the threads the pool may add to this one are started once beforehand, all alive at
// once, and ended again: when the system does not allow them (ulimit -u), the scene is
// refused with the reason instead.
base::Status poolCanStart(unsigned threads) {
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    ThreadTeam team;
    const base::Status started =
        team.start(static_cast<int>(threads) - 1, [released] { released.wait(); });
    release.set_value();
    team.join();
    if (!started)
        return base::Status::failure("Embree needs " + std::to_string(threads) +
                                     " threads: " + started.error());
    return base::succeeded();
}

}  // namespace

struct RayScene::Tracer {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr;
    bool buildFailed = false;
    std::string message;  // Embree's own account of its last error

    ~Tracer() {
        // A build that failed, in its thread pool for instance, can leave a task group of
        // the scene unfinished, and releasing the scene then ends the process.
        if (scene && buildFailed) {
            keepUnreleased(scene);
        } else if (scene) {
            rtcReleaseScene(scene);
        }
        if (device) rtcReleaseDevice(device);
    }

    static void keepMessage(void* tracer, RTCError, const char* text) {
        static_cast<Tracer*>(tracer)->message = text ? text : "";
    }

    std::string lastError() const {
        if (!message.empty()) return "Embree: " + message;
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

base::Result<std::unique_ptr<RayScene>> RayScene::create() {
    using Outcome = base::Result<std::unique_ptr<RayScene>>;
    const unsigned threads = poolThreads();
    if (base::Status pool = poolCanStart(threads); !pool) return Outcome::failure(pool.error());
    auto embree = std::make_unique<Tracer>();
    embree->device = rtcNewDevice(nullptr);  // its pool counts its threads as poolThreads()
    if (!embree->device) return Outcome::failure("Embree could not start on this machine");
    rtcSetDeviceErrorFunction(embree->device, &Tracer::keepMessage, embree.get());
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

int RayScene::add(models::TriangleMesh mesh, ShadowCasting casting) {
    RTCGeometry geometry = rtcNewGeometry(tracer_->device, RTC_GEOMETRY_TYPE_TRIANGLE);
    if (casting == ShadowCasting::DoesNotCast) rtcSetGeometryMask(geometry, kSeenMask);
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

base::Status RayScene::commit() {
    rtcCommitScene(tracer_->scene);
    if (rtcGetDeviceError(tracer_->device) != RTC_ERROR_NONE) {
        tracer_->buildFailed = true;
        return base::Status::failure("cannot build the ray-tracing scene: " + tracer_->lastError());
    }
    return base::succeeded();
}

std::optional<RayHit> RayScene::nearestHit(const base::Triple& origin,
                                           const base::Triple& direction,
                                           double maxDistance) const {
    RTCRayHit query{};
    query.ray = makeRay(origin, direction, maxDistance, kCameraRayMask);
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
    RTCRay ray =
        makeRay(base::toTriple(from), base::toTriple(toLight), maxDistance, kCastsShadowsMask);
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    rtcOccluded1(tracer_->scene, &context, &ray);
    return ray.tfar == -std::numeric_limits<float>::infinity();
}

}  // namespace render
