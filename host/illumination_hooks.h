// What the host lets its renderer and its tests plug into the illumination it serves: the
// shadow test that decides whether a point is lit, and a hook that sees every call.
#ifndef PELORIX3_HOST_ILLUMINATION_HOOKS_H
#define PELORIX3_HOST_ILLUMINATION_HOOKS_H

#include <functional>

#include "framework/host_interface.h"

namespace standin {

// Whether something blocks the way from `from` along the unit `toLight` within
// `maxDistance` (infinite for distant lights). True makes the point shadowed.
using OcclusionTest =
    std::function<bool(const double from[3], const double toLight[3], double maxDistance)>;

// What a test hook sees of an illumination call, after the host has filled in the
// direction and colour and before the call returns.
struct IlluminationCall {
    HostItem light;
    const double* position;
    double* direction;
    double* color;
    int lit;  // what the call is about to return
};

using IlluminationHook = std::function<void(const IlluminationCall&)>;

}  // namespace standin

#endif
