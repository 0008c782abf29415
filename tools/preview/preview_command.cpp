#include "tools/preview/preview_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "host/module_path.h"
#include "tools/preview/band_workers.h"
#include "tools/preview/banded_render.h"
#include "tools/preview/panel_picture.h"
#include "tools/preview/panel_range.h"
#include "tools/preview/png_file.h"
#include "tools/preview/preset.h"
#include "tools/preview/preview_session.h"
#include "tools/preview/sheets.h"
#include "tools/preview/worker_count.h"

namespace preview {
namespace {

using standin::Status;

// Whether a process prints its stages and warnings: a render worker says nothing, as the
// process that started it says everything once.
enum class Voice { Reporting, Quiet };

Status giveParameters(PreviewSession& session, const PreviewOptions& options,
                      const std::optional<Preset>& preset, Voice voice) {
    if (preset) {
        if (Status loaded = session.load(preset->parameters); !loaded) return loaded;
    }
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
    if (voice == Voice::Quiet) return standin::succeeded();
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

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One line of --verbose.
void reportStage(const PreviewOptions& options, const std::string& stage, double seconds) {
    if (options.verbose)
        std::fprintf(stderr, "pelorix3-preview: %-44s %7.3f s\n", stage.c_str(), seconds);
}

std::string subjectName(PreviewSession& session, const PreviewOptions& options) {
    const std::size_t triangles = session.scene().subjectTriangles();
    switch (options.scene.subject) {
        case SubjectKind::Sphere:
            return "make the sphere";
        case SubjectKind::Cloth:
            return "make the cloth (" + std::to_string(triangles) + " triangles)";
        case SubjectKind::Mesh:
            break;
    }
    return "read " + std::filesystem::path(options.scene.meshPath).filename().string() + " (" +
           std::to_string(triangles) + " triangles)";
}

std::string processes(int count) {
    return std::to_string(count) + (count == 1 ? " process" : " processes");
}

Status renderPreview(PreviewSession& session, const PreviewOptions& options, BandWorkers* workers) {
    const auto start = Clock::now();
    ProgressBar progress = ProgressBar::forStderr(options.render.height);
    standin::Result<Image> rendered =
        workers ? renderWithWorkers(session, options.render, *workers, progress)
                : session.render(options.render, &progress);
    progress.finish();
    if (!rendered) return Status::failure(rendered.error());
    const Image& image = rendered.value();
    const double seconds = secondsSince(start);
    reportStage(options,
                "render " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                    ", " +
                    std::to_string(options.render.samplesPerSide * options.render.samplesPerSide) +
                    " samples per pixel",
                seconds);
    const auto writing = Clock::now();
    Status written = writePng(image, options.output);
    reportStage(options, "write " + options.output, secondsSince(writing));
    if (written) {
        std::printf("wrote %s (preview, %d x %d, %d samples per pixel, %s, %.2f s)\n",
                    options.output.c_str(), image.width, image.height,
                    options.render.samplesPerSide * options.render.samplesPerSide,
                    processes(workers ? workers->ownBand().step : 1).c_str(), seconds);
    }
    return written;
}

Status listPresets() {
    const std::string folder = defaultPresetsFolder();
    const standin::Result<std::vector<std::string>> names = presetNames(folder);
    if (!names) return Status::failure(names.error());
    for (const std::string& name : names.value()) {
        const standin::Result<Preset> preset = readPreset(folder, name);
        if (!preset) return Status::failure(preset.error());
        std::printf("%-20s %s\n", name.c_str(), preset->description.c_str());
    }
    return standin::succeeded();
}

// What every process of a render does first: the scene made, the module loaded, its
// instance given its parameters and started on frame 1.
standin::Result<std::unique_ptr<PreviewSession>> prepareSession(const PreviewOptions& options,
                                                                Voice voice) {
    using Outcome = standin::Result<std::unique_ptr<PreviewSession>>;
    SceneSettings scene = options.scene;
    std::optional<Preset> preset;
    if (!options.presetName.empty()) {
        standin::Result<Preset> read = readPreset(defaultPresetsFolder(), options.presetName);
        if (!read) return Outcome::failure(read.error());
        preset = std::move(read.value());
        scene.surface = preset->surface;
    }
    scene.surface = options.surface.appliedTo(scene.surface);
    const std::string modulePath =
        options.modulePath.empty() ? standin::defaultModulePath() : options.modulePath;
    const auto opening = Clock::now();
    Outcome opened = PreviewSession::open(modulePath, scene);
    if (!opened) return opened;
    PreviewSession& session = *opened.value();
    if (voice == Voice::Reporting) {
        const standin::BuildTimes& built = session.scene().buildTimes();
        reportStage(options, subjectName(session, options), built.subject);
        reportStage(options, "build the Embree scene", built.rayScene);
        reportStage(options, "load the module, create the instance",
                    secondsSince(opening) - built.subject - built.rayScene);
        if (const std::size_t skipped = session.scene().degenerateTriangles()) {
            std::fprintf(stderr,
                         "pelorix3-preview: warning: %s: %zu triangles without area left out\n",
                         options.scene.meshPath.c_str(), skipped);
        }
    }
    if (Status given = giveParameters(session, options, preset, voice); !given)
        return Outcome::failure(given.error());
    if (Status started = session.startFrame(); !started) return Outcome::failure(started.error());
    return opened;
}

// A render worker's whole life: a session of its own, then its band.
Status renderWorkerBand(const PreviewOptions& options, const standin::RowBand& band,
                        RowSender& sender) {
    standin::Result<std::unique_ptr<PreviewSession>> prepared =
        prepareSession(options, Voice::Quiet);
    if (!prepared) return Status::failure(prepared.error());
    return renderAndSend(*prepared.value(), options.render, band, sender);
}

// The workers that render the preview beside this process, or none when one process is
// asked for. Started before this process loads anything, as each begins as its copy.
standin::Result<std::unique_ptr<BandWorkers>> startWorkers(const PreviewOptions& options) {
    const int count = std::min(workerCount(options), options.render.height);
    if (!options.wantsRender() || count < 2)
        return standin::Result<std::unique_ptr<BandWorkers>>::success(nullptr);
    return BandWorkers::start(
        count,
        [&options](const standin::RowBand& band, RowSender& sender) {
            return renderWorkerBand(options, band, sender);
        },
        options.workerTimeout);
}

}  // namespace

Status runPreview(const PreviewOptions& options) {
    if (options.listPresets) {
        if (Status listed = listPresets(); !listed) return listed;
        if (!options.asksForFiles()) return standin::succeeded();
    }
    standin::Result<std::unique_ptr<BandWorkers>> workers = startWorkers(options);
    if (!workers) return Status::failure(workers.error());
    standin::Result<std::unique_ptr<PreviewSession>> prepared =
        prepareSession(options, Voice::Reporting);
    if (!prepared) return Status::failure(prepared.error());
    PreviewSession& session = *prepared.value();
    if (!options.savePath.empty()) {
        Status saved = saveParameterFile(session.instance(), options.savePath, options.saveMode);
        if (!saved) return saved;
        std::printf("wrote %s (parameters)\n", options.savePath.c_str());
    }
    if (options.wantsRender()) {
        Status rendered = renderPreview(session, options, workers.value().get());
        if (!rendered) return rendered;
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
