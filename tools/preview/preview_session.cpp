#include "tools/preview/preview_session.h"

#include "host/host_globals.h"
#include "tools/preview/parameter_save.h"

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
    for (const auto& instance : surfaceInstances_) {
        if (const HostError error = instance->newTime(1, 0.0)) {
            return base::Status::failure(std::string("the module could not start a frame: ") +
                                         error);
        }
    }
    return base::succeeded();
}

base::Result<standin::ShaderInstance*> PreviewSession::newSurfaceInstance() {
    base::Result<standin::ShaderInstance> created = module_.createInstance();
    if (!created) return base::Result<standin::ShaderInstance*>::failure(created.error());
    surfaceInstances_.push_back(
        std::make_unique<standin::ShaderInstance>(std::move(created.value())));
    return base::Result<standin::ShaderInstance*>::success(surfaceInstances_.back().get());
}

void PreviewSession::shadeSurfaces(std::vector<SurfaceShading> shading,
                                   std::vector<std::size_t> looked) {
    scene_->setSurfaceShading(std::move(shading));
    looked_ = std::move(looked);
}

standin::ShaderInstance& PreviewSession::surfaceInstance(std::size_t surface) {
    const standin::ShaderInstance* shader = scene_->surfaceShading()[surface].shader;
    for (const auto& instance : surfaceInstances_) {
        if (instance.get() == shader) return *instance;
    }
    return instance_;
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
    if (!looked_.empty()) return renderVariantOnSurfaces(parameters, surface, settings, progress);
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

base::Result<Image> PreviewSession::renderVariantOnSurfaces(const looks::ParameterBlock& parameters,
                                                            const SurfaceInputs& surface,
                                                            const RenderSettings& settings,
                                                            ProgressBar* progress) {
    using Outcome = base::Result<Image>;
    const std::vector<SurfaceShading> current = scene_->surfaceShading();
    // Each looked instance's block as it saves it in binary mode, to be put back exactly.
    std::vector<looks::ParameterFile> held;
    for (const std::size_t looked : looked_) {
        base::Result<std::string> saved =
            savedParameters(surfaceInstance(looked), looks::StorageMode::Binary);
        if (!saved) return Outcome::failure(saved.error());
        base::Result<looks::ParameterFile> block = looks::parseParameterData(
            "the surface's block", saved.value(), looks::StorageMode::Binary);
        if (!block) return Outcome::failure(block.error());
        held.push_back(std::move(block.value()));
    }
    std::vector<SurfaceShading> variant = current;
    for (const std::size_t looked : looked_) {
        variant[looked].inputs = surface;
        if (base::Status loaded = looks::loadInto(surfaceInstance(looked), parameters); !loaded)
            return Outcome::failure(loaded.error());
    }
    scene_->setSurfaceShading(std::move(variant));
    Outcome image = render(settings, progress);
    scene_->setSurfaceShading(current);
    for (std::size_t i = 0; i < looked_.size(); ++i) {
        if (base::Status restored = looks::loadInto(surfaceInstance(looked_[i]), held[i]);
            !restored) {
            return Outcome::failure(restored.error());
        }
    }
    return image;
}

}  // namespace preview
