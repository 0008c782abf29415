#include "tools/preview/turntable.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/preview/atomic_write.h"
#include "tools/preview/contact_sheet.h"
#include "tools/preview/label_painter.h"
#include "tools/preview/made_picture.h"
#include "tools/preview/picture_writer.h"
#include "tools/preview/sheets.h"
#include "tools/preview/thumbnail.h"

namespace preview {
namespace {

using base::Status;

// The views in the strip are as high as the contact sheets' cells, or as the views.
int thumbnailHeight(const RenderSettings& render) {
    return std::min(render.height, kSheetCellHeight);
}

int thumbnailWidth(const RenderSettings& render) {
    const double width = double(thumbnailHeight(render)) * render.width / render.height;
    return std::max(1, static_cast<int>(std::lround(width)));
}

std::string degrees(double angle) {
    char text[32];
    std::snprintf(text, sizeof text, "%g deg", std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0));
    return text;
}

struct Strip {
    SheetLayout layout;
    std::vector<Image> views;
};

// A label too wide for its view is left out rather than drawn over its neighbours.
std::string fitted(const std::string& label, int width) {
    return labelWidth(label, 1) <= width ? label : std::string();
}

Status writeStrip(const Strip& strip, const std::string& path) {
    return writePicture(contactSheet(strip.layout,
                                     [&strip](int column, int) {
                                         return base::Result<Image>::success(
                                             strip.views[static_cast<std::size_t>(column)]);
                                     }),
                        path, "turntable strip");
}

Strip emptyStrip(const RenderSettings& render, int views) {
    Strip strip;
    char title[64];
    std::snprintf(title, sizeof title, "turntable: %d views, %g degrees apart", views,
                  360.0 / views);
    strip.layout.title = title;
    strip.layout.rowLabels = {""};
    strip.layout.cellWidth = thumbnailWidth(render);
    strip.layout.cellHeight = thumbnailHeight(render);
    return strip;
}

void reportViews(const NamePattern& pattern, int views, const RenderSettings& render,
                 double seconds) {
    const int samples = render.samplesPerSide * render.samplesPerSide;
    std::fprintf(stderr,
                 "wrote %s to %s (turntable, %d views of %d x %d, %d samples per pixel, "
                 "%d %s, %.2f s)\n",
                 outputName(pattern.name(0)).c_str(), outputName(pattern.name(views - 1)).c_str(),
                 views, render.width, render.height, samples, render.threads,
                 render.threads == 1 ? "thread" : "threads", seconds);
}

}  // namespace

Status renderTurntable(PreviewSession& session, const RenderSettings& render, int views,
                       ProgressBar* progress, const ViewTaker& take) {
    PreviewScene& scene = session.scene();
    const render::CameraOrbit first = scene.orbit();
    Status done = base::succeeded();
    for (int view = 0; view < views && done; ++view) {
        render::CameraOrbit turned = first;
        turned.orbitDegrees += 360.0 * view / views;
        scene.setOrbit(turned);
        const base::Result<Image> picture = session.render(render, progress);
        done = picture ? take(view, turned, picture.value())
                       : Status::failure("cannot render view " + std::to_string(view) + ": " +
                                         picture.error());
    }
    scene.setOrbit(first);
    return done;
}

Status writeTurntable(PreviewSession& session, const RenderSettings& render, int views,
                      const NamePattern& pattern) {
    const auto start = std::chrono::steady_clock::now();
    PictureWriter writer;  // each view is written while the next one renders
    if (Status started = writer.start(); !started) {
        return Status::failure("cannot write the turntable's views: " + started.error());
    }
    Strip strip = emptyStrip(render, views);
    ProgressBar progress = ProgressBar::forStderr(static_cast<long>(views) * render.height);
    const Status rendered = renderTurntable(
        session, render, views, &progress,
        [&](int view, const render::CameraOrbit& turned, const Image& picture) {
            strip.views.push_back(shrunk(picture, strip.layout.cellWidth, strip.layout.cellHeight));
            strip.layout.columnLabels.push_back(
                fitted(degrees(turned.orbitDegrees), strip.layout.cellWidth));
            if (writer.write(picture, pattern.name(view))) return base::succeeded();
            return Status::failure("a view could not be written");  // the writer says why
        });
    progress.finish();
    if (Status written = writer.finish(); !written) return written;
    if (!rendered) return rendered;
    reportViews(pattern, views, render,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return writeStrip(strip, pattern.nameWith("strip"));
}

}  // namespace preview
