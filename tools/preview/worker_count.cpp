#include "tools/preview/worker_count.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace preview {

int workerCount(const PreviewOptions& options) {
    const int cores = options.render.threads;
    if (options.workersGiven || options.scene.subject != SubjectKind::Mesh) return cores;
    std::error_code unreadable;
    const std::uintmax_t bytes = std::filesystem::file_size(options.scene.meshPath, unreadable);
    if (unreadable) return cores;  // the reader reports it
    const auto samples = static_cast<std::uintmax_t>(options.render.width) * options.render.height *
                         options.render.samplesPerSide * options.render.samplesPerSide;
    return bytes > kModelBytesPerSampleForOneProcess * samples ? 1 : cores;
}

}  // namespace preview
