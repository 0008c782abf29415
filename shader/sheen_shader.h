// The sheen shader: a velvet-like surface with a grazing term, a view-weighted Lambert term
// and a sheen lobe around the tangent plane.
#ifndef PELORIX3_SHADER_SHEEN_SHADER_H
#define PELORIX3_SHADER_SHEEN_SHADER_H

#include "framework/shading_server.h"
#include "geometry/vec3.h"

namespace pelorix3 {

class SheenShader : public ShadingServer {
public:
    // An instance for the host; create functions finish it.
    SheenShader() = default;
    // The module's global object: registers the servers, never handed to the host.
    SheenShader(const char* serverName, int registerInterface, ActivateFunc activate)
        : ShadingServer(serverName, registerInterface, activate) {}

    void copy(const HostServer& other) override;
    void setDefaults() override;
    HostError save(const SaveState* state) override;
    HostError load(const LoadState* state) override;
    int evaluate(SampleContext& context) override;

    // The parameter block, in stored order (the colour as three values).
    double density = 0.0;
    double transparency = 0.0;
    Vec3 specularColor;
    int dontOverlapShadows = 0;
    int densityByLuminosity = 0;
};

// The module's create function: a finished instance with defaults and options panel, or
// null when the host has not activated the module or memory runs out.
ShadingServer* createSheenShader();

// The "ShaderHandler" activation of the "pelorix3" server.
int activateSheenShader(long version, GlobalFunc global, void* local, void* serverData);

}  // namespace pelorix3

#endif
