// Renders the preview scene through a shader instance: every camera ray that hits an
// object becomes a shading record evaluated by the module, exactly as the renderer hands
// its samples over; the record's colour after evaluation is the sample's colour.
#ifndef PELORIX3_TOOLS_PREVIEW_RENDERER_H
#define PELORIX3_TOOLS_PREVIEW_RENDERER_H

#include "host/panel_painter.h"
#include "host/shader_driver.h"
#include "tools/preview/preview_scene.h"
#include "tools/preview/progress_bar.h"

namespace preview {

using standin::Image;

struct RenderSettings {
    int width = 512;
    int height = 384;
    int samplesPerSide = 2;  // each pixel averages a regular grid of this many squared
    int threads = 1;
};

// Rows are shared out among `settings.threads` threads; each pixel depends on nothing but
// its own samples, so the image is the same whatever the thread count. `progress`, when
// given, advances once per row.
Image render(const standin::ShaderInstance& shader, const PreviewScene& scene,
             const RenderSettings& settings, ProgressBar* progress = nullptr);

}  // namespace preview

#endif
