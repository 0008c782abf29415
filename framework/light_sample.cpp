#include "framework/light_sample.h"

#include "framework/host_services.h"
#include "framework/shading_server.h"

namespace pelorix3 {

namespace {

void query(const ItemInfo& items, HostItem item, int code, double time, Vec3& out) {
    double v[3] = {out.x, out.y, out.z};
    items.param(item, code, time, v);
    out = {v[0], v[1], v[2]};
}

}  // namespace

void LightSample::setup() {
    const ItemInfo* items = hostServices.itemInfo;
    if (items == nullptr || items->param == nullptr) return;
    const double time = server->time;
    query(*items, id, HOST_PARAM_POSITION, time, position);
    query(*items, id, HOST_PARAM_W_POSITION, time, worldPosition);
    query(*items, id, HOST_PARAM_FORWARD, time, forward);
    query(*items, id, HOST_PARAM_RIGHT, time, right);
    query(*items, id, HOST_PARAM_UP, time, up);
}

}  // namespace pelorix3
