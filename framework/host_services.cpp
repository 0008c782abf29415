#include "framework/host_services.h"

#include "framework/module_globals.h"

namespace pelorix3 {

constinit HostServices hostServices{};

void* lookupGlobal(const char* name) { return hostGlobal ? hostGlobal(name, 0) : nullptr; }

namespace {

template <typename Table>
bool acquire(Table*& slot, const char* name) {
    slot = static_cast<Table*>(lookupGlobal(name));
    return slot != nullptr;
}

}  // namespace

HostError acquireMessageFuncs() {
    if (!acquire(hostServices.messageFuncs, HOST_MESSAGE_FUNCS))
        return "Couldn't get Info Messages functions";
    return nullptr;
}

HostError acquireShaderServices() {
    if (HostError error = acquireMessageFuncs()) return error;
    if (!acquire(hostServices.sceneInfo, HOST_SCENE_INFO)) return "Couldn't get Scene Info";
    if (!acquire(hostServices.itemInfo, HOST_ITEM_INFO)) return "Couldn't get Item Info";
    if (!acquire(hostServices.lightInfo, HOST_LIGHT_INFO)) return "Couldn't get Light Info";
    if (!acquire(hostServices.cameraInfo, HOST_CAMERA_INFO)) return "Couldn't get Camera Info";
    if (!acquire(hostServices.objectInfo, HOST_OBJECT_INFO)) return "Couldn't get Object Info";
    if (!acquire(hostServices.globalMemory, HOST_GLOBAL_MEMORY))
        return "Couldn't get Global Memory";
    if (!acquire(hostServices.renderMemory, HOST_RENDER_MEMORY))
        return "Couldn't get Global Render Memory";
    return nullptr;
}

void showMessage(const char* first, const char* second) {
    const MessageFuncs* messages = hostServices.messageFuncs;
    if (messages && messages->info) messages->info(first, second);
}

}  // namespace pelorix3
