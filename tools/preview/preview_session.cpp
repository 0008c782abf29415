#include "tools/preview/preview_session.h"

#include "host/host_globals.h"

namespace preview {

base::Result<std::unique_ptr<PreviewSession>> PreviewSession::open(const std::string& modulePath,
                                                                   const SceneSettings& scene) {
    using Outcome = base::Result<std::unique_ptr<PreviewSession>>;
    base::Result<looks::SceneShader> opened =
        looks::openSceneShader(standin::ShaderModule::open(modulePath), scene, modulePath);
    if (!opened) return Outcome::failure(opened.error());
    return Outcome::success(
        std::unique_ptr<PreviewSession>(new PreviewSession(std::move(opened.value()))));
}

PreviewSession::PreviewSession(looks::SceneShader opened)
    : module_(std::move(opened.module)),
      instance_(std::move(opened.instance)),
      scene_(std::move(opened.scene)),
      parameters_(std::move(opened.defaults)) {}

PreviewSession::~PreviewSession() { standin::Host::instance().setOcclusionTest(nullptr); }

base::Status PreviewSession::load(const looks::ParameterFile& file) {
    base::Status loaded = looks::loadInto(instance_, file);
    if (loaded) parameters_ = file.block;
    return loaded;
}

base::Status PreviewSession::load(const looks::ParameterBlock& block) {
    base::Status loaded = looks::loadInto(instance_, block);
    if (loaded) parameters_ = block;
    return loaded;
}

base::Status PreviewSession::startFrame() {
    if (const HostError error = instance_.newTime(1, 0.0)) {
        return base::Status::failure(std::string("the module could not start a frame: ") + error);
    }
    return base::succeeded();
}

base::Result<Image> PreviewSession::render(const RenderSettings& settings, ProgressBar* progress) {
    if (!progress) return render::render(instance_, *scene_, settings);
    return render::render(instance_, *scene_, settings, [progress] { progress->advance(); });
}

base::Result<render::LinearImage> PreviewSession::renderLinear(const RenderSettings& settings,
                                                               ProgressBar* progress) {
    if (!progress) return render::renderLinear(instance_, *scene_, settings);
    return render::renderLinear(instance_, *scene_, settings, [progress] { progress->advance(); });
}

bool PreviewSession::renderBand(const RenderSettings& settings, const render::RowBand& band,
                                const render::RowDone& rowDone) {
    return render::renderBand(instance_, *scene_, settings, band, rowDone);
}

base::Result<Image> PreviewSession::renderVariant(const looks::ParameterBlock& parameters,
                                                  const SurfaceInputs& surface,
                                                  const RenderSettings& settings,
                                                  ProgressBar* progress) {
    using Outcome = base::Result<Image>;
    if (base::Status loaded = looks::loadInto(instance_, parameters); !loaded) {
        return Outcome::failure(loaded.error());
    }
    const SurfaceInputs currentSurface = scene_->surface();
    scene_->setSurface(surface);
    Outcome image = render(settings, progress);
    scene_->setSurface(currentSurface);
    if (base::Status restored = looks::loadInto(instance_, parameters_); !restored) {
        return Outcome::failure(restored.error());
    }
    return image;
}

}  // namespace preview
