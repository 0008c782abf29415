#include "looks/scene_shader.h"

#include "host/host_globals.h"

namespace looks {

base::Result<SceneShader> openSceneShader(base::Result<standin::ShaderModule> module,
                                          const render::SceneSettings& settings,
                                          const std::string& moduleName) {
    using Outcome = base::Result<SceneShader>;
    const auto named = [&moduleName](const std::string& error) {
        return Outcome::failure(moduleName.empty() ? error : moduleName + ": " + error);
    };
    if (!module) return Outcome::failure(module.error());
    base::Result<std::unique_ptr<render::PreviewScene>> scene =
        render::PreviewScene::create(settings);
    if (!scene) return Outcome::failure(scene.error());
    scene.value()->install(standin::Host::instance());
    base::Result<standin::ShaderInstance> instance = module->createInstance();
    if (!instance) return named(instance.error());
    base::Result<ParameterBlock> defaults = readBack(instance.value());
    if (!defaults) return named(defaults.error());
    return Outcome::success(SceneShader{std::move(module.value()), std::move(instance.value()),
                                        std::move(scene.value()), std::move(defaults.value())});
}

}  // namespace looks
