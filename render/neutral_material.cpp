#include "render/neutral_material.h"

#include <algorithm>
#include <cmath>

#include "host/host_globals.h"
#include "render/illumination.h"

namespace render {
namespace {

// What the host's lights give at `position`: `perLight` is called with each light's colour
// and its unit direction from the position towards the light.
template <class PerLight>
void eachLight(const standin::Host& host, const base::Triple& position, PerLight perLight) {
    for (HostItem item = host.scene().firstLight(); item; item = host.scene().nextLight(item)) {
        double direction[3];
        double color[3];
        if (!hostIlluminate(item, position.data(), direction, color)) continue;
        perLight(base::Triple{color[0], color[1], color[2]},
                 base::Triple{-direction[0], -direction[1], -direction[2]});
    }
}

base::Triple times(const base::Triple& a, const base::Triple& b) {
    return {a[0] * b[0], a[1] * b[1], a[2] * b[2]};
}

}  // namespace

base::Triple neutralShade(const standin::Host& host, const base::Triple& position,
                          const base::Triple& normal) {
    base::Triple light = host.scene().ambient;
    eachLight(host, position, [&](const base::Triple& color, const base::Triple& toLight) {
        light = light + color * std::max(dot(toLight, normal), 0.0);
    });
    return times(kNeutralGrey, light);
}

base::Triple plainSurfaceShade(const standin::Host& host, const PlainSurface& surface,
                               const base::Triple& position, const base::Triple& normal,
                               const base::Triple& toViewer) {
    base::Triple diffuse = host.scene().ambient;
    base::Triple highlight{0.0, 0.0, 0.0};
    const double exponent = 1.0 / std::max(surface.roughness, kLeastPlainRoughness);
    eachLight(host, position, [&](const base::Triple& color, const base::Triple& toLight) {
        const double cosine = dot(toLight, normal);
        if (cosine <= 0.0) return;
        diffuse = diffuse + color * cosine;
        const base::Triple halfway = toLight + toViewer;
        const double length = std::sqrt(dot(halfway, halfway));
        if (length <= 0.0) return;
        const double facing = std::max(dot(halfway, normal) / length, 0.0);
        highlight = highlight + color * (kPlainHighlight * std::pow(facing, exponent));
    });
    return times(surface.color * surface.diffuse, diffuse) + highlight;
}

}  // namespace render
