// The illumination call of a sample, published in the shared ray call list while the host
// works, so that nested shading calls from other modules can recognise whom they serve.
#include "framework/ray_call_list.h"
#include "framework/sample_context.h"
#include "framework/scene_view.h"
#include "framework/shading_server.h"
#include "geometry/constants.h"

namespace pelorix3 {

namespace {

RayCallList* boundList(const ShadingServer* server) {
    return server ? server->rayCallList : nullptr;
}

}  // namespace

double SampleContext::illuminate(HostItem light, const Vec3& position, Vec3& direction,
                                 Vec3& colour, const char* tag) {
    const IlluminateFunc hostIlluminate = record ? record->illuminate : nullptr;
    if (callDepth > sceneView.recursionDepth || hostIlluminate == nullptr) {
        colour = colorBlack;
        return -1.0;
    }
    RayCallNode node{nullptr, this, rayCallIlluminate, 0, position, direction, light, tag};
    // Popped from the list it was pushed onto, so that a node never stays linked after
    // this frame is gone, even if the binding changed while the host worked.
    RayCallList* list = boundList(server);
    if (list) list->push(&node);

    double point[3] = {position.x, position.y, position.z};
    double towards[3] = {direction.x, direction.y, direction.z};
    double arriving[3] = {colour.x, colour.y, colour.z};
    const int result = hostIlluminate(light, point, towards, arriving);
    direction = {towards[0], towards[1], towards[2]};
    colour = {arriving[0], arriving[1], arriving[2]};

    if (list) list->pop(&node);
    return static_cast<double>(result);
}

}  // namespace pelorix3
