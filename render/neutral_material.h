// The host's own material for everything in the scene but the subject: a plain grey
// that takes light as a matte surface does, through the same illumination (and shadows)
// the shader under test gets, so that the floor shows where light falls without drawing
// the eye or changing with the shader's parameters.
#ifndef PELORIX3_RENDER_NEUTRAL_MATERIAL_H
#define PELORIX3_RENDER_NEUTRAL_MATERIAL_H

#include "base/triple.h"

namespace standin {
class Host;
}  // namespace standin

namespace render {

inline constexpr base::Triple kNeutralGrey{0.42, 0.42, 0.42};

// The colour at `position` with the unit `normal` facing the viewer: the grey times the
// ambient colour plus every light of the host's scene, each by the cosine of its angle.
base::Triple neutralShade(const standin::Host& host, const base::Triple& position,
                          const base::Triple& normal);

}  // namespace render

#endif
