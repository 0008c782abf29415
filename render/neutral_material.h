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

// A surface of a model that no shader of the module shades: its own colour, taking light
// as a matte surface does, with a small white highlight whose spread its roughness gives
// (as 1 / the highlight's exponent), so that the shape reads without drawing the eye.
struct PlainSurface {
    base::Triple color{0.78, 0.78, 0.78};
    double diffuse = 1.0;
    double roughness = 1.0 / 64.0;
};

inline constexpr double kPlainHighlight = 0.08;
inline constexpr double kLeastPlainRoughness = 1.0 / 4096.0;

// The plain surface's colour at `position` with the unit `normal` and the unit direction
// towards the viewer, both on the viewer's side.
base::Triple plainSurfaceShade(const standin::Host& host, const PlainSurface& surface,
                               const base::Triple& position, const base::Triple& normal,
                               const base::Triple& toViewer);

}  // namespace render

#endif
