#include "host/scene_services.h"

#include "host/host_globals.h"

namespace standin {
namespace {

// Runs a query against the host's scene; a failure inside the host yields `fallback`
// rather than crossing back into the module.
template <class T, class F>
T query(T fallback, F f) noexcept {
    try {
        return f(Host::instance().scene());
    } catch (...) {
        return fallback;
    }
}

void fill(double out[3], const base::Triple& value) {
    if (out) {
        store(value, out);
    }
}

// ---- Item Info ----------------------------------------------------------------------

HostItem itemFirst(int type, HostItem /*parent*/) noexcept {
    return query<HostItem>(nullptr, [type](const Scene& scene) {
        return type == HOST_LIGHT ? scene.firstLight() : nullptr;
    });
}

HostItem itemNext(HostItem item) noexcept {
    return query<HostItem>(nullptr, [item](const Scene& scene) { return scene.nextLight(item); });
}

HostItem noChild(HostItem /*parent*/) noexcept { return nullptr; }
HostItem noNextChild(HostItem /*parent*/, HostItem /*previous*/) noexcept { return nullptr; }
HostItem noRelative(HostItem /*item*/) noexcept { return nullptr; }

int itemType(HostItem item) noexcept {
    return query(-1, [item](const Scene& scene) { return scene.light(item) ? HOST_LIGHT : -1; });
}

const char* itemName(HostItem item) noexcept {
    return query<const char*>("", [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light ? light->name.c_str() : "";
    });
}

base::Triple lightParam(const Light& light, int code) {
    switch (code) {
        case HOST_PARAM_POSITION:
        case HOST_PARAM_W_POSITION:
            return light.position;
        case HOST_PARAM_RIGHT:
        case HOST_PARAM_W_RIGHT:
            return light.right;
        case HOST_PARAM_UP:
        case HOST_PARAM_W_UP:
            return light.up;
        case HOST_PARAM_FORWARD:
        case HOST_PARAM_W_FORWARD:
            return light.forward;
        default:
            return {0.0, 0.0, 0.0};
    }
}

void itemParam(HostItem item, int code, double time, double vector[3]) noexcept {
    try {
        Host& host = Host::instance();
        host.paramQueries().add(ParamQuery{item, code, time});
        const Light* light = host.scene().light(item);
        fill(vector, light ? lightParam(*light, code) : base::Triple{0.0, 0.0, 0.0});
    } catch (...) {
        fill(vector, {0.0, 0.0, 0.0});
    }
}

unsigned int itemLimits(HostItem /*item*/, int /*code*/, double min[3], double max[3]) noexcept {
    fill(min, {0.0, 0.0, 0.0});
    fill(max, {0.0, 0.0, 0.0});
    return 0;
}

// ---- Light Info ---------------------------------------------------------------------

void lightAmbient(double time, double color[3]) noexcept {
    try {
        Host::instance().ambientQueries().add(time);
    } catch (...) {
        // an unrecorded query still answers
    }
    fill(color,
         query(base::Triple{0.0, 0.0, 0.0}, [](const Scene& scene) { return scene.ambient; }));
}

int lightType(HostItem item) noexcept {
    return query(-1, [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light ? static_cast<int>(light->type) : -1;
    });
}

void lightColor(HostItem item, double /*time*/, double color[3]) noexcept {
    fill(color, query(base::Triple{0.0, 0.0, 0.0}, [item](const Scene& scene) {
             const Light* light = scene.light(item);
             return light ? light->emitted() : base::Triple{0.0, 0.0, 0.0};
         }));
}

int lightShadowType(HostItem /*item*/) noexcept { return 0; }

void lightConeAngles(HostItem /*item*/, double* radius, double* edge) noexcept {
    if (radius) {
        *radius = 0.0;
    }
    if (edge) {
        *edge = 0.0;
    }
}

unsigned int lightFlags(HostItem /*item*/) noexcept { return 0; }

double lightRange(HostItem item) noexcept {
    return query(0.0, [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light && light->inverseSquareFalloff ? light->falloffDistance : 0.0;
    });
}

// ---- Camera and Object Info: a fixed camera, an empty object ------------------------

constexpr double kZoomFactor = 3.2;
constexpr double kFocalLength = 32.0;
constexpr double kFocalDistance = 10.0;
constexpr double kFStop = 4.0;
constexpr double kHorizontalFov = 0.6911;  // radians, about 39.6 degrees
constexpr double kVerticalFov = 0.5236;    // radians, 30 degrees

double cameraZoom(HostItem /*camera*/, double /*time*/) noexcept { return kZoomFactor; }
double cameraFocalLength(HostItem /*camera*/, double /*time*/) noexcept { return kFocalLength; }
double cameraFocalDistance(HostItem /*camera*/, double /*time*/) noexcept { return kFocalDistance; }
double cameraFStop(HostItem /*camera*/, double /*time*/) noexcept { return kFStop; }
double cameraBlurLength(HostItem /*camera*/, double /*time*/) noexcept { return 0.0; }

void cameraFov(HostItem /*camera*/, double /*time*/, double* horizontal,
               double* vertical) noexcept {
    if (horizontal) {
        *horizontal = kHorizontalFov;
    }
    if (vertical) {
        *vertical = kVerticalFov;
    }
}

const char* objectFilename(HostItem /*object*/) noexcept { return ""; }
int objectCount(HostItem /*object*/) noexcept { return 0; }
unsigned int objectShadowOpts(HostItem /*object*/) noexcept { return 0; }
double objectDissolve(HostItem /*object*/, double /*time*/) noexcept { return 0.0; }

}  // namespace

ItemInfo* itemInfoTable() {
    static ItemInfo table{itemFirst,  itemNext, noChild,  noNextChild, noRelative, noRelative,
                          noRelative, itemType, itemName, itemParam,   itemLimits};
    return &table;
}

LightInfo* lightInfoTable() {
    static LightInfo table{lightAmbient,    lightType,  lightColor, lightShadowType,
                           lightConeAngles, lightFlags, lightRange};
    return &table;
}

CameraInfo* cameraInfoTable() {
    static CameraInfo table{cameraZoom,  cameraFocalLength, cameraFocalDistance,
                            cameraFStop, cameraBlurLength,  cameraFov};
    return &table;
}

ObjectInfo* objectInfoTable() {
    static ObjectInfo table{objectFilename, objectCount, objectCount, objectShadowOpts,
                            objectDissolve};
    return &table;
}

}  // namespace standin
