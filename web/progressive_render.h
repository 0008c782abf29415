// The studio's picture, rendered a few rows at a time between the page's other work: a
// coarse pass first (a quarter of the size, one sample per pixel), so that a picture
// follows an edit at once, then the full size at one sample per pixel, then refined with
// 2 × 2 samples per pixel. Every pass shades through the instance with the renderer's own
// sampling loop; a restart (after an edit) begins again with the coarse pass. The refined
// pass may be left to others (the page's workers, each with an instance of its own), who
// hand its picture over when it is done.
#ifndef PELORIX3_WEB_PROGRESSIVE_RENDER_H
#define PELORIX3_WEB_PROGRESSIVE_RENDER_H

#include <vector>

#include "host/shader_driver.h"
#include "render/preview_scene.h"
#include "render/renderer.h"

namespace studio {

class ProgressiveRender {
public:
    ProgressiveRender(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Starts again from the coarse pass.
    void restart();
    // Renders rows until `seconds` have passed (at least one row) or a pass is finished;
    // true while there is more to render here. `now` gives the time in seconds.
    bool step(const standin::ShaderInstance& shader, const render::PreviewScene& scene,
              double seconds, double (*now)());

    // Whether the refined pass is rendered elsewhere: step() then stops before it, and
    // showRefined() takes its picture.
    void setRefinedElsewhere(bool elsewhere) { refinedElsewhere_ = elsewhere; }
    bool waitingForRefined() const { return refinedElsewhere_ && pass_ == kRefinedPass; }
    // Shows the refined pass's picture, rendered elsewhere with refinedSettings(); false
    // (and nothing shown) when no refined pass is awaited or the image is not its size.
    bool showRefined(const render::Image& image);
    render::RenderSettings refinedSettings() const { return settings(kRefinedPass); }
    // Counts the restarts: a picture rendered elsewhere belongs to the one it was asked for.
    int generation() const { return generation_; }

    bool finished() const { return pass_ >= passCount(); }
    // The picture of the last finished pass, full size, red, green, blue and alpha per
    // pixel (a coarse pass's pixels repeated); how many pictures have been finished.
    const std::vector<unsigned char>& picture() const { return picture_; }
    int pictures() const { return pictures_; }
    // The finished pass the picture shows: 0 coarse, 1 full size, 2 refined; -1 none yet.
    int shownPass() const { return shownPass_; }

private:
    static constexpr int kRefinedPass = 2;
    static int passCount() { return kRefinedPass + 1; }
    render::RenderSettings settings(int pass) const;
    void show(const render::Image& image);

    int width_;
    int height_;
    int pass_ = 0;
    int row_ = 0;
    render::Image image_;  // the pass under way
    std::vector<unsigned char> picture_;
    int pictures_ = 0;
    int shownPass_ = -1;
    bool refinedElsewhere_ = false;
    int generation_ = 0;
};

}  // namespace studio

#endif
