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

// A point or spot light lights along the unit vector from the light to the point, its
// colour scaled by its falloffs; a spot's also by its cone: full within coneAngle −
// edgeAngle of its forward axis, fading linearly with the angle across the soft edge, none
// from coneAngle on. A distant light lights along its forward axis, without falloff. A
// point at the light's own position, or a distant or spot light whose axis has no
// direction, is unlit (black, direction left zero); a point outside a spot's cone or
// beyond a falloff's reach is unlit too, its direction given.
LightArrival lightArrival(const standin::Light& light, const double position[3]);

// The host's illuminate function, handed to the module in every shading record. Fills
// direction and colour and returns 1 when the point is lit; an unknown light, a point the
// light does not reach, a shadowed point or missing arguments give black and 0. Only a
// light whose shadows are on, falling on an object that receives shadows, is tested for
// shadow. Serves concurrent calls.
int hostIlluminate(HostItem light, const double position[3], double direction[3],
                   double color[3]) noexcept;

// Names, for the calling thread and as long as it lives, the object whose surface the
// thread shades, so that the host's illumination knows whether the point takes shadows: a
// scene object that does not receive them is never shadowed. Without one, or for an id
// that is no scene object, points take shadows.
class ShadedObject {
public:
    explicit ShadedObject(HostItem object);
    ~ShadedObject();
    ShadedObject(const ShadedObject&) = delete;
    ShadedObject& operator=(const ShadedObject&) = delete;

private:
    HostItem previous_;
};

}  // namespace render

#endif
