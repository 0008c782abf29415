#include "render/neutral_material.h"

#include <algorithm>

#include "host/host_globals.h"
#include "render/illumination.h"

namespace render {

base::Triple neutralShade(const standin::Host& host, const base::Triple& position,
                          const base::Triple& normal) {
    base::Triple light = host.scene().ambient;
    for (HostItem item = host.scene().firstLight(); item; item = host.scene().nextLight(item)) {
        double direction[3];
        double color[3];
        if (!hostIlluminate(item, position.data(), direction, color)) continue;
        const double cosine =
            -(direction[0] * normal[0] + direction[1] * normal[1] + direction[2] * normal[2]);
        for (std::size_t c = 0; c < 3; ++c) light[c] += color[c] * std::max(cosine, 0.0);
    }
    return {kNeutralGrey[0] * light[0], kNeutralGrey[1] * light[1], kNeutralGrey[2] * light[2]};
}

}  // namespace render
