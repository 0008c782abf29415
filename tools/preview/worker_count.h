// How many processes render the preview when --workers does not say.
#ifndef PELORIX3_TOOLS_PREVIEW_WORKER_COUNT_H
#define PELORIX3_TOOLS_PREVIEW_WORKER_COUNT_H

#include <cstdint>

#include "tools/preview/preview_options.h"

namespace preview {

// Bytes of a model file per sample of the picture above which one process renders sooner
// than several: each worker imports the model and builds its ray-tracing scene again, at
// about 50 ns per byte of OBJ, to save half the render, at about 0.5 us per sample (both
// measured on a model of a million triangles; see docs/performance.md).
inline constexpr std::uintmax_t kModelBytesPerSampleForOneProcess = 5;

// The workers asked for; otherwise `options.render.threads` (one per core unless given), or
// one alone for a model (the text `scene` holds) so large against the picture that the
// workers would import it longer than they save.
int workerCount(const PreviewOptions& options, const SceneSettings& scene);

}  // namespace preview

#endif
