// The host's item services over the stand-in scene: "LW Item Info" and "LW Light Info"
// answer from the scene's lights; "LW Camera Info" and "LW Object Info" give fixed,
// harmless values, since the stand-in has no camera or object to describe.
#ifndef PELORIX3_HOST_SCENE_SERVICES_H
#define PELORIX3_HOST_SCENE_SERVICES_H

#include "framework/host_interface.h"

namespace standin {

// One call of the item service's param function, as the detailed log keeps it.
struct ParamQuery {
    HostItem item;
    int code;
    double time;
};

// Items: first(HOST_LIGHT, null) and next() walk the scene's lights; every other item
// type has no items. param() serves position, right, up and forward of a light, in local
// and world form (equal here); every other code or item gives (0, 0, 0). type() is -1
// and name() "" for unknown items.
ItemInfo* itemInfoTable();

// Lights: type() 0 distant, 1 point, -1 unknown; color() is colour × intensity;
// range() the falloff distance of a light with falloff, else 0.
LightInfo* lightInfoTable();

CameraInfo* cameraInfoTable();
ObjectInfo* objectInfoTable();

}  // namespace standin

#endif
