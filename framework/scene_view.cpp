#include "framework/scene_view.h"

#include "framework/host_services.h"
#include "framework/shading_server.h"

namespace pelorix3 {

constinit SceneView sceneView{};

void SceneView::refresh() {
    if (const SceneInfo* scene = hostServices.sceneInfo) recursionDepth = scene->recursionDepth;
    const LightInfo* lights = hostServices.lightInfo;
    if (lights == nullptr || lights->ambient == nullptr || server == nullptr) return;
    double colour[3] = {ambient.x, ambient.y, ambient.z};
    lights->ambient(server->time, colour);
    ambient = {colour[0], colour[1], colour[2]};
}

}  // namespace pelorix3
