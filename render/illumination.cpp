#include "render/illumination.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/host_globals.h"

namespace render {
namespace {

thread_local HostItem shadedObject = nullptr;

double inverseSquareFactor(const standin::Light& light, double distance) {
    if (!light.inverseSquareFalloff || !(light.falloffDistance > 0.0)) {
        return 1.0;
    }
    const double ratio = light.falloffDistance / distance;
    return ratio * ratio;
}

double linearFalloffFactor(const standin::Light& light, double distance) {
    return light.falloff > 0.0 ? std::max(0.0, 1.0 - light.falloff * distance) : 1.0;
}

// The share of a spot's light `angle` radians off its axis: all of it inside the soft
// edge, none from the cone on, and between them a fade linear in the angle. An edge wider
// than the cone fades from the axis on.
double spotConeFactor(double angle, double coneAngle, double edgeAngle) {
    if (!(angle < coneAngle)) return 0.0;
    const double full = std::max(coneAngle - std::max(edgeAngle, 0.0), 0.0);
    if (angle <= full) return 1.0;
    return (coneAngle - angle) / (coneAngle - full);
}

// The spot's cone at the unit `direction` from the light, or nothing when the spot's axis
// has no direction.
std::optional<double> spotFactor(const standin::Light& light, const base::Triple& direction) {
    const std::optional<base::Triple> axis = unit(light.forward);
    if (!axis) return std::nullopt;
    const double angle = std::acos(std::clamp(dot(*axis, direction), -1.0, 1.0));
    return spotConeFactor(angle, light.coneAngle, light.edgeAngle);
}

LightArrival localArrival(const standin::Light& light, const base::Triple& position) {
    LightArrival arrival;
    const base::Triple offset = position - light.position;
    const std::optional<base::Triple> direction = unit(offset);
    if (!direction) {
        return arrival;
    }
    arrival.distance = length(offset);
    arrival.direction = *direction;
    double share =
        inverseSquareFactor(light, arrival.distance) * linearFalloffFactor(light, arrival.distance);
    if (light.type == standin::LightType::Spot) {
        const std::optional<double> cone = spotFactor(light, *direction);
        if (!cone) return {};
        share *= *cone;
    }
    arrival.lit = share > 0.0;
    arrival.color = arrival.lit ? light.emitted() * share : base::Triple{0.0, 0.0, 0.0};
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

// Whether the light's shadows fall where the calling thread shades.
bool takesShadows(const standin::Host& host, const standin::Light& light) {
    if (light.shadow == standin::ShadowType::Off || !host.occlusionTest()) return false;
    const standin::SceneObject* receiver = host.scene().object(shadedObject);
    return !receiver || receiver->receivesShadows;
}

// The arrival at `position` from the scene light `item`, with the shadow test applied.
LightArrival arrivalFromScene(const standin::Host& host, HostItem item, const double position[3]) {
    const standin::Light* light = position ? host.scene().light(item) : nullptr;
    if (!light) {
        return {};
    }
    LightArrival arrival = lightArrival(*light, position);
    if (arrival.lit && takesShadows(host, *light)) {
        const base::Triple toLight = arrival.direction * -1.0;
        if (host.occlusionTest()(position, toLight.data(), arrival.distance)) {
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
               : localArrival(light, base::toTriple(position));
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

ShadedObject::ShadedObject(HostItem object) : previous_(shadedObject) { shadedObject = object; }

ShadedObject::~ShadedObject() { shadedObject = previous_; }

}  // namespace render
