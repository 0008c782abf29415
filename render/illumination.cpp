#include "render/illumination.h"

#include <limits>

#include "host/host_globals.h"

namespace render {
namespace {

double falloffFactor(const standin::Light& light, double distance) {
    if (!light.inverseSquareFalloff || !(light.falloffDistance > 0.0)) {
        return 1.0;
    }
    const double ratio = light.falloffDistance / distance;
    return ratio * ratio;
}

LightArrival pointArrival(const standin::Light& light, const base::Triple& position) {
    LightArrival arrival;
    const base::Triple offset = position - light.position;
    const std::optional<base::Triple> direction = unit(offset);
    if (!direction) {
        return arrival;
    }
    arrival.distance = length(offset);
    arrival.direction = *direction;
    arrival.color = light.emitted() * falloffFactor(light, arrival.distance);
    arrival.lit = true;
    return arrival;
}

LightArrival distantArrival(const standin::Light& light) {
    LightArrival arrival;
    const std::optional<base::Triple> direction = unit(light.forward);
    if (!direction) {
        return arrival;
    }
    arrival.distance = std::numeric_limits<double>::infinity();
    arrival.direction = *direction;
    arrival.color = light.emitted();
    arrival.lit = true;
    return arrival;
}

// The arrival at `position` from the scene light `item`, with the shadow test applied.
LightArrival arrivalFromScene(const standin::Host& host, HostItem item, const double position[3]) {
    const standin::Light* light = position ? host.scene().light(item) : nullptr;
    if (!light) {
        return {};
    }
    LightArrival arrival = lightArrival(*light, position);
    const standin::OcclusionTest& occluded = host.occlusionTest();
    if (arrival.lit && occluded) {
        const base::Triple toLight = arrival.direction * -1.0;
        if (occluded(position, toLight.data(), arrival.distance)) {
            arrival.color = {0.0, 0.0, 0.0};
            arrival.lit = false;
        }
    }
    return arrival;
}

}  // namespace

LightArrival lightArrival(const standin::Light& light, const double position[3]) {
    return light.type == standin::LightType::Distant
               ? distantArrival(light)
               : pointArrival(light, base::toTriple(position));
}

int hostIlluminate(HostItem light, const double position[3], double direction[3],
                   double color[3]) noexcept {
    if (!direction || !color) {
        return 0;
    }
    try {
        const standin::Host& host = standin::Host::instance();
        const LightArrival arrival = arrivalFromScene(host, light, position);
        store(arrival.direction, direction);
        store(arrival.color, color);
        const int lit = arrival.lit ? 1 : 0;
        if (const standin::IlluminationHook& hook = host.illuminationHook()) {
            hook(standin::IlluminationCall{light, position, direction, color, lit});
        }
        return lit;
    } catch (...) {
        base::store({0.0, 0.0, 0.0}, color);
        return 0;
    }
}

}  // namespace render
