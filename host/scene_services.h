// The host's item services over the stand-in scene: "LW Item Info" answers for its objects,
// lights and camera, "LW Light Info", "LW Camera Info" and "LW Object Info" for the items
// of their kind. An item of another kind, or an unknown id, gets 0, "" or -1.
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

// Items: first(type, null) and next() walk the scene's objects or lights in their order;
// first(HOST_CAMERA, null) is the one camera, which has no next; bones there are none.
// param() serves position, right, up and forward of every item, in local and world form
// (equal here), and scaling and pivot of an object; every other code or item gives
// (0, 0, 0). type() is -1 and name() "" for unknown items.
ItemInfo* itemInfoTable();

// Lights: type() 0 distant, 1 point, 2 spot, -1 unknown; color() is colour × intensity;
// shadowType() 0 off, 1 ray traced, 2 shadow map; coneAngles() a spot's cone and soft
// edge in radians; range() the falloff distance of a light with inverse-square falloff,
// else 0.
LightInfo* lightInfoTable();

// The camera: its zoom factor, the focal length it gives (camera_lens.h), focal distance,
// f-stop, blur length, and its angles of view over the frame of "LW Scene Info".
CameraInfo* cameraInfoTable();

// Objects: file name, point and polygon counts, shadow options (1 self, 2 cast,
// 4 receive), dissolve 0.
ObjectInfo* objectInfoTable();

}  // namespace standin

#endif
