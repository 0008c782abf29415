// The surface inputs at a hit: the texture coordinates there, interpolated across the
// triangle hit, and each of the surface's maps sampled at them in place of its constant.
#ifndef PELORIX3_RENDER_HIT_INPUTS_H
#define PELORIX3_RENDER_HIT_INPUTS_H

#include <array>
#include <optional>
#include <vector>

#include "models/triangle_mesh.h"
#include "render/ray_scene.h"
#include "render/scene_settings.h"

namespace render {

using Texcoord = std::array<double, 2>;  // u, v

// A mesh's texture coordinates at a hit on its triangle hit.primitive, from the three of
// each triangle's corners; nothing when the mesh has none for that triangle.
std::optional<Texcoord> meshTexcoordAt(const std::vector<std::array<models::Point2f, 3>>& corners,
                                       const RayHit& hit);

// The constants of `surface`, without its maps.
SurfaceInputs constantInputs(const SurfaceInputs& surface);

// `at` with each map of `maps` sampled at `uv` in place of its constant; a mapped
// roughness is at least kLeastMappedRoughness.
void sampleMaps(const SurfaceMaps& maps, const Texcoord& uv, SurfaceInputs& at);

// The inputs of `surface` at a hit whose texture coordinates `texcoordAt()` gives (asked
// only when the surface has a map): each map sampled there, or the constants where the
// hit has no coordinates. The result has no maps.
template <class TexcoordAt>
SurfaceInputs inputsAt(const SurfaceInputs& surface, TexcoordAt texcoordAt) {
    SurfaceInputs at = constantInputs(surface);
    if (!surface.maps.firstMapped()) return at;
    if (const std::optional<Texcoord> uv = texcoordAt()) sampleMaps(surface.maps, *uv, at);
    return at;
}

}  // namespace render

#endif
