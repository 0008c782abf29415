#include "render/surface_maps.h"

namespace render {

std::optional<SurfaceInput> surfaceInputNamed(std::string_view name) {
    for (std::size_t i = 0; i < kSurfaceInputNames.size(); ++i) {
        if (kSurfaceInputNames[i] == name) return static_cast<SurfaceInput>(i);
    }
    return std::nullopt;
}

std::string_view nameOf(SurfaceInput input) {
    return kSurfaceInputNames[static_cast<std::size_t>(input)];
}

std::optional<SurfaceInput> SurfaceMaps::firstMapped() const {
    for (std::size_t i = 0; i < maps.size(); ++i) {
        if (maps[i]) return static_cast<SurfaceInput>(i);
    }
    return std::nullopt;
}

}  // namespace render
