#include "tools/preview/preview_command.h"

#include <chrono>
#include <cstdio>

#include "host/module_path.h"
#include "tools/preview/panel_picture.h"
#include "tools/preview/panel_range.h"
#include "tools/preview/png_file.h"
#include "tools/preview/preview_session.h"
#include "tools/preview/sheets.h"

namespace preview {
namespace {

using standin::Status;

Status giveParameters(PreviewSession& session, const PreviewOptions& options) {
    if (!options.loadPath.empty()) {
        const standin::Result<ParameterFile> file =
            readParameterFile(options.loadPath, options.loadMode);
        if (!file) return Status::failure(file.error());
        if (Status loaded = session.load(file.value()); !loaded) return loaded;
    }
    if (options.parameters.any()) {
        if (Status loaded = session.load(options.parameters.appliedTo(session.parameters()));
            !loaded) {
            return loaded;
        }
    }
    for (const std::string& warning : outOfPanelRange(session.parameters())) {
        std::fprintf(stderr, "pelorix3-preview: warning: %s\n", warning.c_str());
    }
    return standin::succeeded();
}

Status writePicture(const standin::Result<Image>& picture, const std::string& path,
                    const char* what) {
    if (!picture)
        return Status::failure("cannot make the " + std::string(what) + ": " + picture.error());
    Status written = writePng(picture.value(), path);
    if (written)
        std::printf("wrote %s (%s, %d x %d)\n", path.c_str(), what, picture->width,
                    picture->height);
    return written;
}

Status renderPreview(PreviewSession& session, const PreviewOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    ProgressBar progress = ProgressBar::forStderr(options.render.height);
    Image image = session.render(options.render, &progress);
    progress.finish();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    Status written = writePng(image, options.output);
    if (written) {
        std::printf("wrote %s (preview, %d x %d, %d samples per pixel, %d threads, %.2f s)\n",
                    options.output.c_str(), image.width, image.height,
                    options.render.samplesPerSide * options.render.samplesPerSide,
                    options.render.threads, seconds.count());
    }
    return written;
}

}  // namespace

Status runPreview(const PreviewOptions& options) {
    const std::string modulePath =
        options.modulePath.empty() ? standin::defaultModulePath() : options.modulePath;
    standin::Result<std::unique_ptr<PreviewSession>> opened =
        PreviewSession::open(modulePath, options.scene);
    if (!opened) return Status::failure(opened.error());
    PreviewSession& session = *opened.value();
    if (const std::size_t skipped = session.scene().degenerateTriangles()) {
        std::fprintf(stderr, "pelorix3-preview: warning: %s: %zu triangles without area left out\n",
                     options.scene.meshPath.c_str(), skipped);
    }

    if (Status given = giveParameters(session, options); !given) return given;
    if (Status started = session.startFrame(); !started) return started;
    if (!options.savePath.empty()) {
        Status saved = saveParameterFile(session.instance(), options.savePath, options.saveMode);
        if (!saved) return saved;
        std::printf("wrote %s (parameters)\n", options.savePath.c_str());
    }
    if (options.wantsRender()) {
        if (Status rendered = renderPreview(session, options); !rendered) return rendered;
    }
    if (!options.panelPath.empty()) {
        Status painted = writePicture(paintOptionsPanel(session.module(), session.instance()),
                                      options.panelPath, "options panel");
        if (!painted) return painted;
    }
    if (!options.sheetPath.empty()) {
        Status sheet = writePicture(densityRoughnessSheet(session, options.render),
                                    options.sheetPath, "density and roughness sheet");
        if (!sheet) return sheet;
    }
    if (!options.switchSheetPath.empty()) {
        return writePicture(switchSheet(session, options.render), options.switchSheetPath,
                            "switch sheet");
    }
    return standin::succeeded();
}

}  // namespace preview
