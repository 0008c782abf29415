#include "web/progressive_render.h"

#include <algorithm>

namespace studio {

ProgressiveRender::ProgressiveRender(int width, int height)
    : width_(width),
      height_(height),
      picture_(4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {
    restart();
}

render::RenderSettings ProgressiveRender::settings(int pass) const {
    render::RenderSettings settings;
    const int scale = pass == 0 ? 4 : 1;
    settings.width = std::max(1, width_ / scale);
    settings.height = std::max(1, height_ / scale);
    settings.samplesPerSide = pass == kRefinedPass ? 2 : 1;
    settings.threads = 1;
    return settings;
}

void ProgressiveRender::restart() {
    pass_ = 0;
    row_ = 0;
    ++generation_;
    const render::RenderSettings first = settings(0);
    image_ = render::Image{first.width, first.height,
                            std::vector<unsigned char>(3 * static_cast<std::size_t>(first.width) *
                                                       static_cast<std::size_t>(first.height))};
}

bool ProgressiveRender::step(const standin::ShaderInstance& shader,
                             const render::PreviewScene& scene, double seconds, double (*now)()) {
    const double start = now();
    while (!finished() && !waitingForRefined()) {
        const render::RenderSettings current = settings(pass_);
        render::renderRows(shader, scene, current, row_, row_ + 1, image_);
        if (++row_ == current.height) {
            show(image_);
            ++pass_;
            row_ = 0;
            if (!finished()) {
                const render::RenderSettings next = settings(pass_);
                image_ = render::Image{
                    next.width, next.height,
                    std::vector<unsigned char>(3 * static_cast<std::size_t>(next.width) *
                                               static_cast<std::size_t>(next.height))};
            }
            break;  // a finished pass is shown before the next one starts
        }
        if (now() - start >= seconds) break;
    }
    return !finished() && !waitingForRefined();
}

bool ProgressiveRender::showRefined(const render::Image& image) {
    const render::RenderSettings refined = refinedSettings();
    if (!waitingForRefined() || image.width != refined.width || image.height != refined.height ||
        image.rgb.size() != 3 * static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    show(image);
    ++pass_;
    return true;
}

// Each picture pixel takes the pass's pixel that covers it.
void ProgressiveRender::show(const render::Image& image) {
    for (int y = 0; y < height_; ++y) {
        const int sy = std::min(image.height - 1, y * image.height / height_);
        for (int x = 0; x < width_; ++x) {
            const int sx = std::min(image.width - 1, x * image.width / width_);
            const std::size_t from = 3 * (static_cast<std::size_t>(sy) * image.width + sx);
            const std::size_t to = 4 * (static_cast<std::size_t>(y) * width_ + x);
            picture_[to] = image.rgb[from];
            picture_[to + 1] = image.rgb[from + 1];
            picture_[to + 2] = image.rgb[from + 2];
            picture_[to + 3] = 255;
        }
    }
    ++pictures_;
    shownPass_ = pass_;
}

}  // namespace studio
