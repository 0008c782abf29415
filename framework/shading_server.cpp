#include "framework/shading_server.h"

#include "framework/module_globals.h"
#include "framework/ray_call_list.h"
#include "framework/scene_view.h"
#include "framework/server_registry.h"
#include "framework/shader_activation.h"

namespace pelorix3 {

ShadingServer::ShadingServer() { sceneView.server = this; }

ShadingServer::ShadingServer(const char* serverName, int registerInterface,
                             ActivateFunc activate)
    : ShadingServer() {
    name = serverName;
    const int registered = serverRegistry.registerServer("ShaderHandler", name, activate);
    if (registered == 1 && registerInterface != 0)
        serverRegistry.registerServer("ShaderInterface", name, activateShaderInterface);
}

void ShadingServer::copy(const HostServer& other) {
    if (const auto* shading = dynamic_cast<const ShadingServer*>(&other)) flags = shading->flags;
    ShaderServer::copy(other);
}

void ShadingServer::frameSetup() { rayCallList = bindSharedRayCallList(rayCallList); }

ShadingServer* finishCreate(ShadingServer* server) {
    if (hostGlobal != nullptr && server != nullptr) {
        server->init();
        server->setDefaults();
        return server;
    }
    delete server;
    return nullptr;
}

HostError ShadingServer::startNewTime(int frame, double newTimeValue) {
    if (HostError error = init()) return error;
    time = newTimeValue;
    sceneView.server = this;
    sceneView.refresh();
    frameSetup();
    return newTime(frame, newTimeValue);
}

}  // namespace pelorix3
