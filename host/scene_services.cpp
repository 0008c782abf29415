#include "host/scene_services.h"

#include <utility>

#include "host/camera_lens.h"
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
    return query<HostItem>(nullptr, [type](const Scene& scene) -> HostItem {
        switch (type) {
            case HOST_OBJECT:
                return scene.firstObject();
            case HOST_LIGHT:
                return scene.firstLight();
            case HOST_CAMERA:
                return scene.cameraItem();
            default:
                return nullptr;
        }
    });
}

// The next item of the same kind: the camera is the only one of its kind.
HostItem itemNext(HostItem item) noexcept {
    return query<HostItem>(nullptr, [item](const Scene& scene) {
        return scene.light(item) ? scene.nextLight(item) : scene.nextObject(item);
    });
}

HostItem noChild(HostItem /*parent*/) noexcept { return nullptr; }
HostItem noNextChild(HostItem /*parent*/, HostItem /*previous*/) noexcept { return nullptr; }
HostItem noRelative(HostItem /*item*/) noexcept { return nullptr; }

int itemType(HostItem item) noexcept {
    return query(-1, [item](const Scene& scene) {
        if (scene.object(item)) return static_cast<int>(HOST_OBJECT);
        if (scene.light(item)) return static_cast<int>(HOST_LIGHT);
        if (scene.camera(item)) return static_cast<int>(HOST_CAMERA);
        return -1;
    });
}

const char* itemName(HostItem item) noexcept {
    return query<const char*>("", [item](const Scene& scene) {
        if (const SceneObject* object = scene.object(item)) return object->name.c_str();
        if (const Light* light = scene.light(item)) return light->name.c_str();
        if (const SceneCamera* camera = scene.camera(item)) return camera->name.c_str();
        return "";
    });
}

// Position and axes, which every kind of item has, in local and world form (equal here).
template <class Item>
base::Triple placementParam(const Item& item, int code) {
    switch (code) {
        case HOST_PARAM_POSITION:
        case HOST_PARAM_W_POSITION:
            return item.position;
        case HOST_PARAM_RIGHT:
        case HOST_PARAM_W_RIGHT:
            return item.right;
        case HOST_PARAM_UP:
        case HOST_PARAM_W_UP:
            return item.up;
        case HOST_PARAM_FORWARD:
        case HOST_PARAM_W_FORWARD:
            return item.forward;
        default:
            return {0.0, 0.0, 0.0};
    }
}

base::Triple objectParam(const SceneObject& object, int code) {
    if (code == HOST_PARAM_SCALING) return object.scale;
    if (code == HOST_PARAM_PIVOT) return object.pivot;
    return placementParam(object, code);
}

base::Triple paramOf(const Scene& scene, HostItem item, int code) {
    if (const Light* light = scene.light(item)) return placementParam(*light, code);
    if (const SceneObject* object = scene.object(item)) return objectParam(*object, code);
    if (const SceneCamera* camera = scene.camera(item)) return placementParam(*camera, code);
    return {0.0, 0.0, 0.0};
}

void itemParam(HostItem item, int code, double time, double vector[3]) noexcept {
    try {
        Host& host = Host::instance();
        host.paramQueries().add(ParamQuery{item, code, time});
        fill(vector, paramOf(host.scene(), item, code));
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

int lightShadowType(HostItem item) noexcept {
    return query(0, [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light ? static_cast<int>(light->shadow) : 0;
    });
}

// A spot light's cone and soft edge; 0 and 0 for any other light or item.
void lightConeAngles(HostItem item, double* radius, double* edge) noexcept {
    const std::pair<double, double> angles = query(std::pair{0.0, 0.0}, [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light && light->type == LightType::Spot
                   ? std::pair{light->coneAngle, light->edgeAngle}
                   : std::pair{0.0, 0.0};
    });
    if (radius) *radius = angles.first;
    if (edge) *edge = angles.second;
}

unsigned int lightFlags(HostItem /*item*/) noexcept { return 0; }

double lightRange(HostItem item) noexcept {
    return query(0.0, [item](const Scene& scene) {
        const Light* light = scene.light(item);
        return light && light->inverseSquareFalloff ? light->falloffDistance : 0.0;
    });
}

// ---- Camera Info: the scene's camera; 0 for any other item --------------------------

template <class F>
double cameraValue(HostItem item, F f) noexcept {
    return query(0.0, [item, f](const Scene& scene) {
        const SceneCamera* camera = scene.camera(item);
        return camera ? f(*camera) : 0.0;
    });
}

double cameraZoom(HostItem camera, double /*time*/) noexcept {
    return cameraValue(camera, [](const SceneCamera& c) { return c.zoomFactor; });
}
double cameraFocalLength(HostItem camera, double /*time*/) noexcept {
    return cameraValue(camera, [](const SceneCamera& c) { return focalLength(c.zoomFactor); });
}
double cameraFocalDistance(HostItem camera, double /*time*/) noexcept {
    return cameraValue(camera, [](const SceneCamera& c) { return c.focalDistance; });
}
double cameraFStop(HostItem camera, double /*time*/) noexcept {
    return cameraValue(camera, [](const SceneCamera& c) { return c.fStop; });
}
double cameraBlurLength(HostItem camera, double /*time*/) noexcept {
    return cameraValue(camera, [](const SceneCamera& c) { return c.blurLength; });
}

// The camera's zoom over the frame of the scene record.
void cameraFov(HostItem camera, double /*time*/, double* horizontal, double* vertical) noexcept {
    FieldOfView angles;
    try {
        Host& host = Host::instance();
        if (const SceneCamera* found = host.scene().camera(camera)) {
            const SceneInfo& frame = host.sceneInfo();
            angles = fieldOfView(found->zoomFactor, frame.frameWidth, frame.frameHeight,
                                 frame.pixelAspect);
        }
    } catch (...) {
        angles = {};
    }
    if (horizontal) *horizontal = angles.horizontal;
    if (vertical) *vertical = angles.vertical;
}

// ---- Object Info: the scene's objects; "" or 0 for any other item -------------------

template <class T, class F>
T objectValue(HostItem item, T fallback, F f) noexcept {
    return query(fallback, [item, fallback, f](const Scene& scene) {
        const SceneObject* object = scene.object(item);
        return object ? f(*object) : fallback;
    });
}

const char* objectFilename(HostItem object) noexcept {
    return objectValue<const char*>(object, "",
                                    [](const SceneObject& o) { return o.filename.c_str(); });
}
int objectPoints(HostItem object) noexcept {
    return objectValue(object, 0, [](const SceneObject& o) { return o.pointCount; });
}
int objectPolygons(HostItem object) noexcept {
    return objectValue(object, 0, [](const SceneObject& o) { return o.polygonCount; });
}

// Bits: 1 shadows itself, 2 casts shadows, 4 receives them.
unsigned int objectShadowOpts(HostItem object) noexcept {
    return objectValue(object, 0u, [](const SceneObject& o) {
        return (o.castsShadows ? 3u : 0u) | (o.receivesShadows ? 4u : 0u);
    });
}

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
    static ObjectInfo table{objectFilename, objectPoints, objectPolygons, objectShadowOpts,
                            objectDissolve};
    return &table;
}

}  // namespace standin
