// The activation functions of the "ShaderHandler" and "ShaderInterface" servers.
#ifndef PELORIX3_FRAMEWORK_SHADER_ACTIVATION_H
#define PELORIX3_FRAMEWORK_SHADER_ACTIVATION_H

#include "framework/host_interface.h"

namespace pelorix3 {

class ShadingServer;

using CreateEntry = HostInstance (*)(HostError* error);

// The host's create entry around a shader's argument-less create function; the error
// out-parameter is never written.
template <ShadingServer* (*create)()>
HostInstance createEntry(HostError* /*error*/) {
    return create();
}

// Fills the host's shader callback table (local) with adapters forwarding to the
// instance's virtual operations, and keeps global in hostGlobal. Versions 1 and 2 are
// supported; the description-line entry is filled only for version 2.
int activateShaderHandler(long version, GlobalFunc global, void* local, void* serverData,
                          CreateEntry create);

// Opens the options panel of the instance given as local.
int activateShaderInterface(long version, GlobalFunc global, void* local, void* serverData);

}  // namespace pelorix3

#endif
