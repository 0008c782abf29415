// What the shading calls of one time step need to know about the scene: the ray
// recursion limit and the ambient light colour, refreshed at every new time.
#ifndef PELORIX3_FRAMEWORK_SCENE_VIEW_H
#define PELORIX3_FRAMEWORK_SCENE_VIEW_H

#include "geometry/vec3.h"

namespace pelorix3 {

class ShadingServer;

struct SceneView {
    // Reads the recursion depth and the ambient colour at server's current time.
    void refresh();

    ShadingServer* server = nullptr;  // the server constructed or advanced last
    Vec3 ambient;
    int recursionDepth = 0;
};

// Shared by every instance of the module; ready before any static constructor runs.
extern SceneView sceneView;

}  // namespace pelorix3

#endif
