#include "tools/preview/worker_count.h"

namespace preview {

int workerCount(const PreviewOptions& options, const SceneSettings& scene) {
    const int cores = options.render.threads;
    if (options.workersGiven || scene.subject != SubjectKind::Mesh || !scene.meshText) {
        return cores;
    }
    const auto samples = static_cast<std::uintmax_t>(options.render.width) * options.render.height *
                         options.render.samplesPerSide * options.render.samplesPerSide;
    return scene.meshText->size() > kModelBytesPerSampleForOneProcess * samples ? 1 : cores;
}

}  // namespace preview
