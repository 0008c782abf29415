// Renders a scene (the preview scene or a placed one) through shader instances: every
// camera ray that hits a surface the scene has a shader shade becomes a shading record
// evaluated by the module, exactly as the renderer hands its samples over; the record's
// colour after evaluation is the sample's colour. Each hit is drawn as the scene's
// materialAt() says: by the surface's own instance with its own surface inputs, by the
// render's instance, or in the plain or the neutral material.
#ifndef PELORIX3_RENDER_RENDERER_H
#define PELORIX3_RENDER_RENDERER_H

#include <functional>

#include "base/result.h"
#include "host/shader_driver.h"
#include "render/linear_image.h"
#include "render/panel_painter.h"
#include "render/preview_scene.h"
#include "render/shaded_scene.h"

namespace render {

struct RenderSettings {
    int width = 512;
    int height = 384;
    int samplesPerSide = 2;  // each pixel averages a regular grid of this many squared
    int threads = 1;
};

// The rows one part of a render covers: `first`, `first` + `step`, `first` + 2 `step` and
// so on. Interleaved rows share a picture's cost out evenly wherever its subject stands.
struct RowBand {
    int first = 0;
    int step = 1;

    bool covers(int y) const { return y >= first && (y - first) % step == 0; }
};

// Rows are shared out among `settings.threads` threads; each pixel depends on nothing but
// its own samples, so the image is the same whatever the thread count. `rowDone`, when
// given, is called once per finished row, from the thread that rendered it. A failure,
// and no image, when a thread cannot start.
base::Result<Image> render(const standin::ShaderInstance& shader, const ShadedScene& scene,
                           const RenderSettings& settings,
                           const std::function<void()>& rowDone = {});

// The same render as linear scene values, before the 8-bit picture's clamping to 0 to 1
// and quantisation: each pixel the average of its samples (a value that is not a number
// becomes 0, as in the 8-bit picture).
base::Result<LinearImage> renderLinear(const standin::ShaderInstance& shader,
                                       const ShadedScene& scene, const RenderSettings& settings,
                                       const std::function<void()>& rowDone = {});

// Called with each finished row's number and its 3 x width bytes, which are only valid
// during the call; returning false stops the band there.
using RowDone = std::function<bool(int y, const unsigned char* rgb)>;

// Renders the rows of `band` in turn on the calling thread, holding one row at a time, and
// hands each to `rowDone`: each is byte for byte the row `render` makes. False when
// `rowDone` stopped it before the band's end.
bool renderBand(const standin::ShaderInstance& shader, const ShadedScene& scene,
                const RenderSettings& settings, const RowBand& band, const RowDone& rowDone);

// Renders rows [firstRow, endRow) into `image`, which is settings.width × settings.height,
// on the calling thread: the same pixels as render() gives those rows. A picture can so
// be rendered a few rows at a time, between other work.
void renderRows(const standin::ShaderInstance& shader, const ShadedScene& scene,
                const RenderSettings& settings, int firstRow, int endRow, Image& image);

}  // namespace render

#endif
