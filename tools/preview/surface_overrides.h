// The surface inputs given on the command line, each one optional: they replace the
// matching inputs of a preset's look, or of the scene's defaults.
#ifndef PELORIX3_TOOLS_PREVIEW_SURFACE_OVERRIDES_H
#define PELORIX3_TOOLS_PREVIEW_SURFACE_OVERRIDES_H

#include <optional>

#include "render/scene_settings.h"

namespace preview {

struct SurfaceOverrides {
    std::optional<base::Triple> color;
    std::optional<double> diffuse;
    std::optional<double> specular;
    std::optional<double> luminous;
    std::optional<double> roughness;

    // Whether the command line gives this input.
    bool gives(render::SurfaceInput input) const {
        switch (input) {
            case render::SurfaceInput::Color:
                return color.has_value();
            case render::SurfaceInput::Diffuse:
                return diffuse.has_value();
            case render::SurfaceInput::Specular:
                return specular.has_value();
            case render::SurfaceInput::Luminous:
                return luminous.has_value();
            case render::SurfaceInput::Roughness:
                return roughness.has_value();
        }
        return false;
    }

    // An input given here replaces the surface's constant, and its map: a look's map of
    // luminosity, say, gives way to --luminous.
    render::SurfaceInputs appliedTo(render::SurfaceInputs surface) const {
        if (color) surface.color = *color;
        if (diffuse) surface.diffuse = *diffuse;
        if (specular) surface.specular = *specular;
        if (luminous) surface.luminous = *luminous;
        if (roughness) surface.roughness = *roughness;
        for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
            const auto input = static_cast<render::SurfaceInput>(i);
            if (gives(input)) surface.maps.of(input).reset();
        }
        return surface;
    }
};

}  // namespace preview

#endif
