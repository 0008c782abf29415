// Light arriving at a point, as the renderer's illuminate function reports it to a
// shader: the direction the light travels and its colour there.
#ifndef PELORIX3_RENDER_ILLUMINATION_H
#define PELORIX3_RENDER_ILLUMINATION_H

#include "base/triple.h"
#include "framework/host_interface.h"
#include "host/illumination_hooks.h"
#include "host/scene.h"

namespace render {

struct LightArrival {
    base::Triple direction{0.0, 0.0, 0.0};  // unit, from the light towards the point
    base::Triple color{0.0, 0.0, 0.0};
    double distance = 0.0;  // from the point to the light; infinite for a distant light
    bool lit = false;
};

// A point light lights along the unit vector from the light to the point; a distant
// light along its forward axis. A point at the light's own position, or a light whose
// axis has no direction, is unlit (black, direction left zero).
LightArrival lightArrival(const standin::Light& light, const double position[3]);

// The host's illuminate function, handed to the module in every shading record. Fills
// direction and colour and returns 1 when the point is lit; an unknown light, a shadowed
// point or missing arguments give black and 0. Serves concurrent calls.
int hostIlluminate(HostItem light, const double position[3], double direction[3],
                   double color[3]) noexcept;

}  // namespace render

#endif
