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
    bool gives(standin::SurfaceInput input) const {
        switch (input) {
            case standin::SurfaceInput::Color:
                return color.has_value();
            case standin::SurfaceInput::Diffuse:
                return diffuse.has_value();
            case standin::SurfaceInput::Specular:
                return specular.has_value();
            case standin::SurfaceInput::Luminous:
                return luminous.has_value();
            case standin::SurfaceInput::Roughness:
                return roughness.has_value();
        }
        return false;
    }

    // An input given here replaces the surface's constant, and its map: a look's map of
    // luminosity, say, gives way to --luminous.
    standin::SurfaceInputs appliedTo(standin::SurfaceInputs surface) const {
        if (color) surface.color = *color;
        if (diffuse) surface.diffuse = *diffuse;
        if (specular) surface.specular = *specular;
        if (luminous) surface.luminous = *luminous;
        if (roughness) surface.roughness = *roughness;
        for (std::size_t i = 0; i < standin::kSurfaceInputNames.size(); ++i) {
            const auto input = static_cast<standin::SurfaceInput>(i);
            if (gives(input)) surface.maps.of(input).reset();
        }
        return surface;
    }
};

}  // namespace preview

#endif
