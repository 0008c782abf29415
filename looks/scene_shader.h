// A shader instance of the module in the host's preview scene, opened the way the preview
// tool and the studio both open it: the scene is made and installed in the host, then the
// instance is created and its defaults are read back through its save entry.
#ifndef PELORIX3_LOOKS_SCENE_SHADER_H
#define PELORIX3_LOOKS_SCENE_SHADER_H

#include <memory>
#include <string>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_block.h"
#include "render/preview_scene.h"

namespace looks {

struct SceneShader {
    standin::ShaderModule module;
    standin::ShaderInstance instance;
    std::unique_ptr<render::PreviewScene>
        scene;  // on the heap: the host's shadow test points at it
    ParameterBlock defaults;
};

// Opens an instance of `module` (as ShaderModule::open or activate gave it) in a scene of
// `settings`. A failure to create the instance or read its defaults begins with
// `moduleName` and ": " when `moduleName` is not empty.
base::Result<SceneShader> openSceneShader(base::Result<standin::ShaderModule> module,
                                          const render::SceneSettings& settings,
                                          const std::string& moduleName);

}  // namespace looks

#endif
