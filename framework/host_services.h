// The host services every instance shares, looked up by name through hostGlobal.
#ifndef PELORIX3_FRAMEWORK_HOST_SERVICES_H
#define PELORIX3_FRAMEWORK_HOST_SERVICES_H

#include "framework/host_interface.h"

namespace pelorix3 {

// One pointer per service, overwritten by every acquisition (create, new time, options).
struct HostServices {
    MessageFuncs* messageFuncs;
    SceneInfo* sceneInfo;
    ItemInfo* itemInfo;
    LightInfo* lightInfo;
    CameraInfo* cameraInfo;
    ObjectInfo* objectInfo;
    GlobalMemory* globalMemory;
    GlobalMemory* renderMemory;
};

extern HostServices hostServices;

// Asks the host for a global by name; null when the service is missing or the host has
// not activated the module yet (no lookup function).
void* lookupGlobal(const char* name);

// Looks up "Info Messages" into its pointer; the error text when it is missing.
HostError acquireMessageFuncs();

// Looks up all eight services in order, storing each pointer before testing it; stops at
// the first missing one and returns its message.
HostError acquireShaderServices();

// Shows two texts through the first message function; dropped when there is none.
void showMessage(const char* first, const char* second);

}  // namespace pelorix3

#endif
