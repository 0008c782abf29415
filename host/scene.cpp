#include "host/scene.h"

namespace standin {

Scene Scene::standard() {
    Scene scene;
    Light light;
    light.type = LightType::Distant;
    light.position = {0.0, 0.0, -10.0};
    scene.addLight(light);
    return scene;
}

}  // namespace standin
