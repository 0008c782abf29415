// One light's position and axes at the server's current time.
#ifndef PELORIX3_FRAMEWORK_LIGHT_SAMPLE_H
#define PELORIX3_FRAMEWORK_LIGHT_SAMPLE_H

#include "framework/host_interface.h"
#include "framework/host_services.h"
#include "framework/shading_server.h"
#include "geometry/vec3.h"

namespace pelorix3 {

class LightSample {
public:
    explicit LightSample(const ShadingServer* shadingServer) : server(shadingServer) {}
    virtual ~LightSample() = default;
    // Five item parameter queries for id: position, world position, forward, right, up.
    // Defined here, as the shading loop sets up a sample for every light: inline there,
    // the vectors it does not read are never copied.
    [[gnu::always_inline]] virtual void setup() {
        const ItemInfo* items = hostServices.itemInfo;
        if (items == nullptr || items->param == nullptr) return;
        const double time = server->time;
        query(*items, HOST_PARAM_POSITION, time, position);
        query(*items, HOST_PARAM_W_POSITION, time, worldPosition);
        query(*items, HOST_PARAM_FORWARD, time, forward);
        query(*items, HOST_PARAM_RIGHT, time, right);
        query(*items, HOST_PARAM_UP, time, up);
    }

    HostItem id = nullptr;  // the light; set by the user before setup
    const ShadingServer* server;
    Vec3 position;
    Vec3 worldPosition;
    Vec3 forward;
    Vec3 right;
    Vec3 up;

private:
    // The host fills an array of three; what it leaves unwritten keeps the vector's value.
    void query(const ItemInfo& items, int code, double time, Vec3& out) const {
        double v[3] = {out.x, out.y, out.z};
        items.param(id, code, time, v);
        out = {v[0], v[1], v[2]};
    }
};

}  // namespace pelorix3

#endif
