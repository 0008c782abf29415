// One shader instance of the loaded module, set up in the host's preview scene and ready
// to render: created, given its parameters through load, and given a new time, in the
// order the renderer follows.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_SESSION_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_SESSION_H

#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_block.h"
#include "looks/parameter_file.h"
#include "looks/scene_shader.h"
#include "render/panel_painter.h"
#include "render/preview_scene.h"
#include "render/renderer.h"
#include "tools/preview/progress_bar.h"
#include "tools/preview/render_names.h"

namespace preview {

class PreviewSession {
public:
    // Loads and activates the module, installs the scene in the host and creates an
    // instance with the module's defaults.
    static base::Result<std::unique_ptr<PreviewSession>> open(const std::string& modulePath,
                                                              const SceneSettings& scene);

    PreviewSession(const PreviewSession&) = delete;
    PreviewSession& operator=(const PreviewSession&) = delete;
    ~PreviewSession();

    const standin::ShaderModule& module() const { return module_; }
    standin::ShaderInstance& instance() { return instance_; }
    PreviewScene& scene() { return *scene_; }

    // The parameters the instance holds: its defaults until one of the two below.
    const looks::ParameterBlock& parameters() const { return parameters_; }
    // Loads a parameter file's data in the file's mode.
    base::Status load(const looks::ParameterFile& file);
    // Loads the block in text mode.
    base::Status load(const looks::ParameterBlock& block);

    // Starts frame 1 at time 0; call once the parameters are loaded.
    base::Status startFrame();

    // Renders with the instance as it stands; a failure when a render thread cannot start.
    base::Result<Image> render(const RenderSettings& settings, ProgressBar* progress = nullptr);
    // The same as linear scene values, before the 8-bit picture's clamping and quantisation.
    base::Result<render::LinearImage> renderLinear(const RenderSettings& settings,
                                                   ProgressBar* progress = nullptr);
    // Renders the rows of `band` alone with the instance as it stands, on this thread, one
    // row at a time; false when `rowDone` stopped it.
    bool renderBand(const RenderSettings& settings, const render::RowBand& band,
                    const render::RowDone& rowDone);

    // A new instance of the module for one surface of the model, held by the session: an
    // object file's renderer makes one for every surface the shader is attached to.
    base::Result<standin::ShaderInstance*> newSurfaceInstance();
    // Shades each surface of the model as `shading` says, one entry for each, with
    // instances of newSurfaceInstance(); the look of renderVariant goes to the `looked`
    // ones (each with an instance).
    void shadeSurfaces(std::vector<SurfaceShading> shading, std::vector<std::size_t> looked);
    // The surfaces the look goes to, or none when it shades the whole subject.
    const std::vector<std::size_t>& lookedSurfaces() const { return looked_; }
    // The instance that shades surface `surface` of the model.
    standin::ShaderInstance& surfaceInstance(std::size_t surface);

    // Renders with other parameters and surface inputs, on the whole subject or the looked
    // surfaces, then puts the instances' parameters and the surface inputs back as they
    // were.
    base::Result<Image> renderVariant(const looks::ParameterBlock& parameters,
                                      const SurfaceInputs& surface, const RenderSettings& settings,
                                      ProgressBar* progress = nullptr);

private:
    explicit PreviewSession(looks::SceneShader opened);
    base::Result<Image> renderVariantOnSurfaces(const looks::ParameterBlock& parameters,
                                                const SurfaceInputs& surface,
                                                const RenderSettings& settings,
                                                ProgressBar* progress);

    standin::ShaderModule module_;
    standin::ShaderInstance instance_;
    std::unique_ptr<PreviewScene> scene_;  // on the heap: the host's shadow test points at it
    looks::ParameterBlock parameters_;
    std::vector<std::unique_ptr<standin::ShaderInstance>> surfaceInstances_;
    std::vector<std::size_t> looked_;
};

}  // namespace preview

#endif
