// The per-sample copy of the host's shading record that a shader reads and writes.
#ifndef PELORIX3_FRAMEWORK_SAMPLE_CONTEXT_H
#define PELORIX3_FRAMEWORK_SAMPLE_CONTEXT_H

#include "framework/host_interface.h"
#include "geometry/matrix3.h"
#include "geometry/vec3.h"

namespace pelorix3 {

class ShadingServer;

class SampleContext {
public:
    explicit SampleContext(ShadingServer* shadingServer) : server(shadingServer) {}
    // Constructed and bound at once, as the evaluate entry makes one per sample: the same
    // context as construction followed by bind, each field copied from the record without
    // being zeroed first.
    SampleContext(ShadingServer* shadingServer, ShadingRecord* hostRecord);
    SampleContext(const SampleContext&) = delete;
    SampleContext& operator=(const SampleContext&) = delete;

    // Binds the record and copies its input fields in; the call depth starts at 0.
    void bind(ShadingRecord* hostRecord);
    void copyIn();
    // Writes normal, colour and the seven surface scalars back into the record.
    void copyOut() const;

    // Asks the host for the light arriving at position from light, publishing the call in
    // the server's ray call list while the host works. The host's result, or -1.0 with a
    // black colour (direction untouched) when the call is skipped.
    double illuminate(HostItem light, const Vec3& position, Vec3& direction, Vec3& colour,
                      const char* tag);

    // Modules sharing the ray call list find a caller through its first two words; the
    // second may be written by them while this context's illumination call is in flight.
    void* reserved = nullptr;
    void* respondingServer = nullptr;
    ShadingServer* server;
    ShadingRecord* record = nullptr;
    int screenX = 0;
    int screenY = 0;
    Vec3 objectPosition;
    Vec3 worldPosition;
    Vec3 geometricNormal;
    double spotSize = 0.0;
    Vec3 raySource;
    double rayLength = 0.0;
    double cosine = 0.0;
    Matrix3 objectTransform;
    Matrix3 worldTransform;
    HostItem objectId = nullptr;
    int polygonIndex = 0;
    Vec3 normal;
    Vec3 color;
    double luminous = 0.0;
    double diffuse = 0.0;
    double specular = 0.0;
    double mirror = 0.0;
    double transparency = 0.0;
    double eta = 0.0;
    double roughness = 0.0;
    int callDepth = 0;  // nesting depth of this sample's illumination calls
};

}  // namespace pelorix3

#endif
