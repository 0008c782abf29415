// One light's position and axes at the server's current time.
#ifndef PELORIX3_FRAMEWORK_LIGHT_SAMPLE_H
#define PELORIX3_FRAMEWORK_LIGHT_SAMPLE_H

#include "framework/host_interface.h"
#include "geometry/vec3.h"

namespace pelorix3 {

class ShadingServer;

class LightSample {
public:
    explicit LightSample(const ShadingServer* shadingServer) : server(shadingServer) {}
    virtual ~LightSample() = default;
    // Five item parameter queries for id: position, world position, forward, right, up.
    virtual void setup();

    HostItem id = nullptr;  // the light; set by the user before setup
    const ShadingServer* server;
    Vec3 position;
    Vec3 worldPosition;
    Vec3 forward;
    Vec3 right;
    Vec3 up;
};

}  // namespace pelorix3

#endif
