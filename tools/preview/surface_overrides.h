// The surface inputs given on the command line, each one optional: they replace the
// matching inputs of a preset's look, or of the scene's defaults.
#ifndef PELORIX3_TOOLS_PREVIEW_SURFACE_OVERRIDES_H
#define PELORIX3_TOOLS_PREVIEW_SURFACE_OVERRIDES_H

#include <optional>

#include "render/scene_settings.h"

namespace preview {

struct SurfaceOverrides {
    std::optional<standin::Triple> color;
    std::optional<double> diffuse;
    std::optional<double> specular;
    std::optional<double> luminous;
    std::optional<double> roughness;

    standin::SurfaceInputs appliedTo(standin::SurfaceInputs surface) const {
        if (color) surface.color = *color;
        if (diffuse) surface.diffuse = *diffuse;
        if (specular) surface.specular = *specular;
        if (luminous) surface.luminous = *luminous;
        if (roughness) surface.roughness = *roughness;
        return surface;
    }
};

}  // namespace preview

#endif
