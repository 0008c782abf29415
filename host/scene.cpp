#include "host/scene.h"

namespace standin {
namespace {

HostItem itemOf(const Light& light) { return const_cast<Light*>(&light); }

}  // namespace

Scene Scene::standard() {
    Scene scene;
    Light light;
    light.type = LightType::Distant;
    light.position = {0.0, 0.0, -10.0};
    scene.addLight(light);
    return scene;
}

HostItem Scene::addLight(const Light& light) { return itemOf(lights_.emplace_back(light)); }

const Light* Scene::light(HostItem item) const {
    for (const Light& light : lights_) {
        if (itemOf(light) == item) {
            return &light;
        }
    }
    return nullptr;
}

Light* Scene::light(HostItem item) {
    return const_cast<Light*>(static_cast<const Scene&>(*this).light(item));
}

HostItem Scene::firstLight() const { return lights_.empty() ? nullptr : itemOf(lights_.front()); }

HostItem Scene::nextLight(HostItem item) const {
    for (std::size_t i = 0; i + 1 < lights_.size(); ++i) {
        if (itemOf(lights_[i]) == item) {
            return itemOf(lights_[i + 1]);
        }
    }
    return nullptr;
}

}  // namespace standin
