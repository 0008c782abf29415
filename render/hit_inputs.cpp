#include "render/hit_inputs.h"

#include <algorithm>

namespace render {

std::optional<Texcoord> meshTexcoordAt(const std::vector<std::array<models::Point2f, 3>>& corners,
                                       const RayHit& hit) {
    const auto primitive = static_cast<std::size_t>(hit.primitive);
    if (primitive >= corners.size()) return std::nullopt;
    const std::array<models::Point2f, 3>& at = corners[primitive];
    const double w = 1.0 - double(hit.u) - double(hit.v);
    return Texcoord{w * at[0][0] + hit.u * at[1][0] + hit.v * at[2][0],
                    w * at[0][1] + hit.u * at[1][1] + hit.v * at[2][1]};
}

SurfaceInputs constantInputs(const SurfaceInputs& surface) {
    SurfaceInputs at;
    at.color = surface.color;
    at.diffuse = surface.diffuse;
    at.specular = surface.specular;
    at.luminous = surface.luminous;
    at.roughness = surface.roughness;
    return at;
}

void sampleMaps(const SurfaceMaps& maps, const Texcoord& uv, SurfaceInputs& at) {
    const auto& [u, v] = uv;
    const auto mapOf = [&maps](SurfaceInput input) { return maps.of(input).get(); };
    if (const TextureMap* map = mapOf(SurfaceInput::Color)) at.color = map->colorAt(u, v);
    if (const TextureMap* map = mapOf(SurfaceInput::Diffuse)) at.diffuse = map->valueAt(u, v);
    if (const TextureMap* map = mapOf(SurfaceInput::Specular)) at.specular = map->valueAt(u, v);
    if (const TextureMap* map = mapOf(SurfaceInput::Luminous)) at.luminous = map->valueAt(u, v);
    if (const TextureMap* map = mapOf(SurfaceInput::Roughness)) {
        at.roughness = std::max(map->valueAt(u, v), kLeastMappedRoughness);
    }
}

}  // namespace render
