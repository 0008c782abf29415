// The scene the stand-in host renders: an ambient colour, lights, objects and one camera.
// Tests and tools set it up before rendering; during rendering it is only read. Each item
// is given as it stands in the world, after its parents: the stand-in keeps no hierarchy,
// so an item's own axes and position are also its world ones.
#ifndef PELORIX3_HOST_SCENE_H
#define PELORIX3_HOST_SCENE_H

#include <deque>
#include <string>
#include <utility>

#include "base/triple.h"
#include "framework/host_interface.h"

namespace standin {

// The host's light type codes, as "LW Light Info" type() reports them.
enum class LightType { Distant = 0, Point = 1, Spot = 2 };

// The host's shadow type codes, as "LW Light Info" shadowType() reports them. The stand-in
// draws a shadow map as a ray-traced shadow.
enum class ShadowType { Off = 0, RayTraced = 1, ShadowMap = 2 };

struct Light {
    std::string name = "Light";
    LightType type = LightType::Point;
    base::Triple position{0.0, 0.0, 0.0};
    base::Triple right{1.0, 0.0, 0.0};
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};  // distant and spot lights shine along this axis
    base::Triple color{1.0, 1.0, 1.0};
    double intensity = 1.0;
    // Point and spot lights: colour scaled by (falloffDistance / distance)^2 when enabled,
    // so the light has its full colour at falloffDistance. Ignored unless
    // falloffDistance > 0.
    bool inverseSquareFalloff = false;
    double falloffDistance = 1.0;
    // Point and spot lights: the fraction of the intensity lost per unit of distance, so
    // that the colour is scaled by max(0, 1 − falloff × distance); 0 for none.
    double falloff = 0.0;
    // Spot lights, in radians: the half-angle of the cone, beyond which the spot gives no
    // light, and the soft edge, the band inside the cone across which the light fades.
    double coneAngle = 0.5235987755982988;  // 30 degrees
    double edgeAngle = 0.0872664625997165;  // 5 degrees
    ShadowType shadow = ShadowType::RayTraced;

    base::Triple emitted() const { return color * intensity; }
};

// An object of the scene as the host's item services describe it: where it stands, its
// file, its size and its shadow options. Its geometry is the renderer's.
struct SceneObject {
    std::string name = "Object";
    std::string filename;                  // empty for an object without a file (a null)
    base::Triple position{0.0, 0.0, 0.0};  // where its pivot point stands
    base::Triple right{1.0, 0.0, 0.0};     // unit axes
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};
    base::Triple scale{1.0, 1.0, 1.0};  // along its own axes
    base::Triple pivot{0.0, 0.0, 0.0};  // in its own coordinates
    int pointCount = 0;
    int polygonCount = 0;
    bool castsShadows = true;  // an object that casts shadows also shadows itself
    bool receivesShadows = true;
};

// The camera looks along its forward axis, up and right in the picture being its up and
// right axes.
struct SceneCamera {
    std::string name = "Camera";
    base::Triple position{0.0, 0.0, 0.0};
    base::Triple right{1.0, 0.0, 0.0};
    base::Triple up{0.0, 1.0, 0.0};
    base::Triple forward{0.0, 0.0, 1.0};
    double zoomFactor = 3.2;      // see camera_lens.h
    double focalDistance = 10.0;  // in scene units
    double fStop = 4.0;
    double blurLength = 0.0;
};

// Items of one kind in a deque, which never moves an element when another is appended: an
// item's id is its address, so ids stay valid until the items are cleared. No function
// here dereferences an id.
template <class Item>
class ItemList {
public:
    HostItem add(const Item& item) { return idOf(items_.emplace_back(item)); }
    void clear() { items_.clear(); }
    std::size_t size() const { return items_.size(); }

    // The item with this id, or null for any other id.
    const Item* find(HostItem id) const {
        for (const Item& item : items_) {
            if (idOf(item) == id) return &item;
        }
        return nullptr;
    }
    Item* find(HostItem id) { return const_cast<Item*>(std::as_const(*this).find(id)); }

    HostItem first() const { return items_.empty() ? nullptr : idOf(items_.front()); }
    // The item after `id`, or null after the last one or for an unknown id.
    HostItem next(HostItem id) const {
        for (std::size_t i = 0; i + 1 < items_.size(); ++i) {
            if (idOf(items_[i]) == id) return idOf(items_[i + 1]);
        }
        return nullptr;
    }

private:
    static HostItem idOf(const Item& item) { return const_cast<Item*>(&item); }

    std::deque<Item> items_;
};

class Scene {
public:
    // One white distant light shining along +z (from the camera into the scene), a black
    // ambient colour, no objects and the default camera.
    static Scene standard();

    base::Triple ambient{0.0, 0.0, 0.0};

    HostItem addLight(const Light& light) { return lights_.add(light); }
    void clearLights() { lights_.clear(); }
    std::size_t lightCount() const { return lights_.size(); }
    const Light* light(HostItem item) const { return lights_.find(item); }
    Light* light(HostItem item) { return lights_.find(item); }
    HostItem firstLight() const { return lights_.first(); }
    HostItem nextLight(HostItem item) const { return lights_.next(item); }

    HostItem addObject(const SceneObject& object) { return objects_.add(object); }
    void clearObjects() { objects_.clear(); }
    std::size_t objectCount() const { return objects_.size(); }
    const SceneObject* object(HostItem item) const { return objects_.find(item); }
    SceneObject* object(HostItem item) { return objects_.find(item); }
    HostItem firstObject() const { return objects_.first(); }
    HostItem nextObject(HostItem item) const { return objects_.next(item); }

    // The one camera, whose id is the address of this scene's own: a copy of the scene
    // has items, and ids, of its own.
    SceneCamera& camera() { return camera_; }
    const SceneCamera& camera() const { return camera_; }
    HostItem cameraItem() const { return const_cast<SceneCamera*>(&camera_); }
    const SceneCamera* camera(HostItem item) const {
        return item == cameraItem() ? &camera_ : nullptr;
    }

private:
    ItemList<Light> lights_;
    ItemList<SceneObject> objects_;
    SceneCamera camera_;
};

}  // namespace standin

#endif
