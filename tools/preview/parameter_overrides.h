// The shader parameters given on the command line, each one optional: they replace the
// matching values of the block the instance holds (its defaults or a loaded file).
#ifndef PELORIX3_TOOLS_PREVIEW_PARAMETER_OVERRIDES_H
#define PELORIX3_TOOLS_PREVIEW_PARAMETER_OVERRIDES_H

#include <optional>

#include "looks/parameter_block.h"

namespace preview {

struct ParameterOverrides {
    std::optional<double> density;
    std::optional<double> transparency;
    std::optional<base::Triple> specularColor;
    std::optional<bool> dontOverlapShadows;
    std::optional<bool> densityByLuminosity;

    bool any() const {
        return density || transparency || specularColor || dontOverlapShadows ||
               densityByLuminosity;
    }

    looks::ParameterBlock appliedTo(looks::ParameterBlock block) const {
        if (density) block.density = *density;
        if (transparency) block.transparency = *transparency;
        if (specularColor) block.specularColor = *specularColor;
        if (dontOverlapShadows) block.dontOverlapShadows = *dontOverlapShadows ? 1.0 : 0.0;
        if (densityByLuminosity) block.densityByLuminosity = *densityByLuminosity ? 1.0 : 0.0;
        return block;
    }
};

}  // namespace preview

#endif
