// The scene the stand-in host renders: an ambient colour and a list of lights. Tests and
// tools set it up before rendering; during rendering it is only read.
#ifndef PELORIX3_HOST_SCENE_H
#define PELORIX3_HOST_SCENE_H

#include <deque>
#include <string>

#include "base/triple.h"
#include "framework/host_interface.h"

namespace standin {

// The host's light type codes, as "LW Light Info" type() reports them.
enum class LightType { Distant = 0, Point = 1 };

struct Light {
    std::string name = "Light";
    LightType type = LightType::Point;
    base::Triple position{0.0, 0.0, 0.0};
    // Axes of the light; the stand-in has no hierarchy, so world axes equal these.
    base::Triple right{1.0, 0.0, 0.0};
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};  // a distant light shines along this axis
    base::Triple color{1.0, 1.0, 1.0};
    double intensity = 1.0;
    // Point lights only: colour scaled by (falloffDistance / distance)^2 when enabled, so
    // the light has its full colour at falloffDistance. Ignored unless falloffDistance > 0.
    bool inverseSquareFalloff = false;
    double falloffDistance = 1.0;

    base::Triple emitted() const { return color * intensity; }
};

// Lights live in a deque, which never moves an element when another is appended; a
// light's item id is its address, so ids stay valid until the lights are cleared.
class Scene {
public:
    // One white distant light shining along +z (from the camera into the scene) and a
    // black ambient colour.
    static Scene standard();

    base::Triple ambient{0.0, 0.0, 0.0};

    HostItem addLight(const Light& light);
    void clearLights() { lights_.clear(); }
    std::size_t lightCount() const { return lights_.size(); }

    // The light with this item id, or null for any other id. Never dereferences `item`.
    const Light* light(HostItem item) const;
    Light* light(HostItem item);

    HostItem firstLight() const;
    // The light after `item`, or null after the last one or for an unknown id.
    HostItem nextLight(HostItem item) const;

private:
    std::deque<Light> lights_;
};

}  // namespace standin

#endif
