// The maps that drive the subject's surface inputs across it, each one optional: where an
// input has a map, every sample takes the map's value at the hit's texture coordinates in
// place of the input's constant.
#ifndef PELORIX3_RENDER_SURFACE_MAPS_H
#define PELORIX3_RENDER_SURFACE_MAPS_H

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "render/texture_map.h"

namespace render {

enum class SurfaceInput { Color, Diffuse, Specular, Luminous, Roughness };

// In the order of SurfaceInput, as the command line and the look files name them.
inline constexpr std::array<std::string_view, 5> kSurfaceInputNames{"color", "diffuse", "specular",
                                                                    "luminous", "roughness"};

std::optional<SurfaceInput> surfaceInputNamed(std::string_view name);
std::string_view nameOf(SurfaceInput input);

// A map's value is the input's value: a fraction from 0 to 1 (an 8-bit texel's value / 255).
// Roughness must be more than 0: a map gives it this much at least.
inline constexpr double kLeastMappedRoughness = 1.0 / 65535.0;

struct SurfaceMaps {
    // By SurfaceInput; shared, since every copy of the scene's settings holds the same maps.
    std::array<std::shared_ptr<const TextureMap>, 5> maps;

    const std::shared_ptr<const TextureMap>& of(SurfaceInput input) const {
        return maps[static_cast<std::size_t>(input)];
    }
    std::shared_ptr<const TextureMap>& of(SurfaceInput input) {
        return maps[static_cast<std::size_t>(input)];
    }
    // The first input that has a map, if any.
    std::optional<SurfaceInput> firstMapped() const;
};

}  // namespace render

#endif
