#include "tools/preview/preview_command.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "base/message_text.h"
#include "looks/panel_range.h"
#include "looks/preset.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/band_workers.h"
#include "tools/preview/banded_render.h"
#include "tools/preview/comparison.h"
#include "tools/preview/linear_output.h"
#include "tools/preview/look_folder.h"
#include "tools/preview/made_picture.h"
#include "tools/preview/name_pattern.h"
#include "tools/preview/object_output.h"
#include "tools/preview/option_warnings.h"
#include "tools/preview/output_folders.h"
#include "tools/preview/panel_picture.h"
#include "tools/preview/parameter_save.h"
#include "tools/preview/png_file.h"
#include "tools/preview/preview_inputs.h"
#include "tools/preview/preview_session.h"
#include "tools/preview/sheets.h"
#include "tools/preview/surface_looks.h"
#include "tools/preview/turntable.h"
#include "tools/preview/version_report.h"
#include "tools/preview/worker_count.h"

namespace preview {
namespace {

using base::counted;
using base::Status;

// Whether a process prints its stages and warnings: a render worker says nothing, as the
// process that started it says everything once.
enum class Voice { Reporting, Quiet };

void warn(const std::string& warning) {
    std::fprintf(stderr, "pelorix3-preview: warning: %s\n", warning.c_str());
}

void warnAll(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) warn(warning);
}

Status giveParameters(PreviewSession& session, const PreviewOptions& options,
                      const PreviewInputs& inputs, Voice voice) {
    if (inputs.preset) {
        if (Status loaded = session.load(inputs.preset->parameters); !loaded) return loaded;
    }
    if (inputs.loaded) {
        if (Status loaded = session.load(*inputs.loaded); !loaded) return loaded;
    }
    if (options.parameters.any()) {
        if (Status loaded = session.load(options.parameters.appliedTo(session.parameters()));
            !loaded) {
            return loaded;
        }
    }
    if (voice == Voice::Reporting) warnAll(looks::outOfPanelRange(session.parameters()));
    return base::succeeded();
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

std::string subjectName(PreviewSession& session, const SceneSettings& scene) {
    const std::size_t triangles = session.scene().subjectTriangles();
    switch (scene.subject) {
        case SubjectKind::Sphere:
            return "make the sphere";
        case SubjectKind::Cloth:
            return "make the cloth (" + counted(triangles, "triangle", "triangles") + ")";
        case SubjectKind::Mesh:
            break;
    }
    return "import " + std::filesystem::path(scene.meshName).filename().string() + " (" +
           counted(triangles, "triangle", "triangles") + ")";
}

std::string samplesPerPixel(const RenderSettings& render) {
    const int side = render.samplesPerSide;
    return counted(static_cast<std::size_t>(side * side), "sample", "samples") + " per pixel";
}

std::string renderStage(const PreviewOptions& options) {
    return "render " + std::to_string(options.render.width) + " x " +
           std::to_string(options.render.height) + ", " + samplesPerPixel(options.render);
}

// The preview from linear values (OpenEXR, 16-bit PNG), in threads of this process.
Status renderLinearPreview(PreviewSession& session, const PreviewOptions& options) {
    double seconds = 0.0;
    Status written = renderLinearPicture(session, options, seconds);
    reportStage(options, renderStage(options), seconds);
    if (written) {
        const auto threads = static_cast<std::size_t>(options.render.threads);
        std::fprintf(stderr, "wrote %s (preview, %s, %d x %d, %s, %s, %.2f s)\n",
                     outputName(options.renderPath()).c_str(), linearPictureForm(options).c_str(),
                     options.render.width, options.render.height,
                     samplesPerPixel(options.render).c_str(),
                     counted(threads, "thread", "threads").c_str(), seconds);
    }
    return written;
}

Status renderPreview(PreviewSession& session, const PreviewOptions& options, BandWorkers* workers) {
    if (wantsLinearPicture(options)) return renderLinearPreview(session, options);
    const auto start = Clock::now();
    ProgressBar progress = ProgressBar::forStderr(options.render.height);
    base::Result<Image> rendered =
        workers ? renderWithWorkers(session, options.render, *workers, progress)
                : session.render(options.render, &progress);
    progress.finish();
    if (!rendered) return Status::failure(rendered.error());
    const Image& image = rendered.value();
    const double seconds = secondsSince(start);
    reportStage(options, renderStage(options), seconds);
    const auto writing = Clock::now();
    Status written = writePng(image, options.renderPath());
    const std::string output = outputName(options.renderPath());
    reportStage(options, "write " + output, secondsSince(writing));
    if (written) {
        const auto processes = static_cast<std::size_t>(workers ? workers->ownBand().step : 1);
        std::fprintf(stderr, "wrote %s (preview, %d x %d, %s, %s, %.2f s)\n", output.c_str(),
                     image.width, image.height, samplesPerPixel(options.render).c_str(),
                     counted(processes, "process", "processes").c_str(), seconds);
    }
    return written;
}

// The series of views around the subject, or the looks side by side, or the one picture.
Status renderAsked(PreviewSession& session, const PreviewOptions& options,
                   const PreviewInputs& inputs, BandWorkers* workers) {
    if (options.turntableViews > 0) {
        const base::Result<NamePattern> pattern = NamePattern::parse(options.renderPath());
        if (!pattern) return Status::failure(pattern.error());
        return writeTurntable(session, options.render, options.turntableViews, pattern.value());
    }
    if (!inputs.compared.empty()) {
        const std::string what = std::to_string(inputs.compared.size()) + " looks compared";
        return writePicture(comparisonPicture(session, options.render, inputs.compared),
                            options.renderPath(), what.c_str());
    }
    return renderPreview(session, options, workers);
}

Status listPresets() {
    const std::string folder = looks::defaultPresetsFolder();
    const base::Result<std::vector<std::string>> names = looks::presetNames(folder);
    if (!names) return Status::failure(names.error());
    for (const std::string& name : names.value()) {
        const base::Result<looks::Preset> preset = looks::readPreset(folder, name);
        if (!preset) return Status::failure(preset.error());
        std::printf("%-20s %s\n", name.c_str(), preset->description.c_str());
    }
    return base::succeeded();
}

// What every process of a render does first: the scene made from the inputs, the module
// loaded, its instance given its parameters and started on frame 1.
base::Result<std::unique_ptr<PreviewSession>> prepareSession(const PreviewOptions& options,
                                                             const PreviewInputs& inputs,
                                                             Voice voice) {
    using Outcome = base::Result<std::unique_ptr<PreviewSession>>;
    const auto opening = Clock::now();
    Outcome opened = PreviewSession::open(options.moduleFile(), inputs.scene);
    if (!opened) return opened;
    PreviewSession& session = *opened.value();
    if (voice == Voice::Reporting) {
        // In the order the stages ran: what the model's import met comes with the import.
        const render::BuildTimes& built = session.scene().buildTimes();
        reportStage(options, subjectName(session, inputs.scene), built.subject);
        warnAll(session.scene().warnings());
        warnAll(unusedOptions(options, inputs.scene, session.scene().usesCreaseAngle()));
        reportStage(options, "build the Embree scene", built.rayScene);
        reportStage(options, "load the module, create the instance",
                    secondsSince(opening) - built.subject - built.rayScene);
        warnAll(sceneColoursOutOfRange(inputs.scene));
    }
    if (Status given = giveParameters(session, options, inputs, voice); !given)
        return Outcome::failure(given.error());
    base::Result<std::vector<std::string>> surfaces = shadeModelSurfaces(session, options, inputs);
    if (!surfaces) return Outcome::failure(surfaces.error());
    if (voice == Voice::Reporting) warnAll(surfaces.value());
    if (Status started = session.startFrame(); !started) return Outcome::failure(started.error());
    return opened;
}

// A render worker's whole life: a session of its own, from the inputs it inherited, then
// its band.
Status renderWorkerBand(const PreviewOptions& options, PreviewInputs& inputs,
                        const render::RowBand& band, RowSender& sender) {
    base::Result<std::unique_ptr<PreviewSession>> prepared =
        prepareSession(options, inputs, Voice::Quiet);
    if (!prepared) return Status::failure(prepared.error());
    inputs.scene.meshText.reset();  // the mesh is made: its text is not needed again
    return renderAndSend(*prepared.value(), options.render, band, sender);
}

// The workers that render the preview beside this process, or none when one process is
// asked for, or when the render is a turntable or a comparison, which are rendered in
// threads of this process from its one scene. Started once every input is read and before
// this process loads anything, as each begins as its copy.
base::Result<std::unique_ptr<BandWorkers>> startWorkers(const PreviewOptions& options,
                                                        PreviewInputs& inputs) {
    const int count = std::min(workerCount(options, inputs.scene), options.render.height);
    const bool onePicture = options.turntableViews == 0 && options.compared.empty();
    if (!options.wantsRender() || !onePicture || wantsLinearPicture(options) || count < 2)
        return base::Result<std::unique_ptr<BandWorkers>>::success(nullptr);
    return BandWorkers::start(
        count,
        [&options, &inputs](const render::RowBand& band, RowSender& sender) {
            return renderWorkerBand(options, inputs, band, sender);
        },
        options.workerTimeout);
}

// Reads every input, once, reporting how long the model took.
base::Result<PreviewInputs> readAllInputs(const PreviewOptions& options) {
    const auto reading = Clock::now();
    base::Result<PreviewInputs> inputs = readInputs(options);
    if (inputs && inputs->scene.meshText) {
        reportStage(options,
                    "read " + std::filesystem::path(inputs->scene.meshName).filename().string() +
                        " (" + std::to_string(inputs->scene.meshText->size()) + " bytes)",
                    secondsSince(reading));
    }
    return inputs;
}

}  // namespace

Status runPreview(const PreviewOptions& options) {
    if (options.showVersion) return printVersions(options.moduleFile());
    if (Status folders = checkOutputFolders(options); !folders) return folders;
    if (options.listPresets) {
        if (Status listed = listPresets(); !listed) return listed;
        if (!options.asksForFiles()) return base::succeeded();
    }
    base::Result<PreviewInputs> inputs = readAllInputs(options);
    if (!inputs) return Status::failure(inputs.error());
    if (Status object = checkObjectFileNeeded(options, inputs.value()); !object) return object;
    if (Status look = checkObjectLook(options, inputs.value()); !look) return look;
    if (options.listSurfaces) {
        if (Status listed = listSurfaces(options, inputs.value()); !listed) return listed;
        if (!options.asksForFiles()) return base::succeeded();
    }
    if (const std::optional<std::string> note = loadedBlockNote(options)) {
        std::fprintf(stderr, "pelorix3-preview: note: %s\n", note->c_str());
    }
    base::Result<std::unique_ptr<BandWorkers>> workers = startWorkers(options, inputs.value());
    if (!workers) return Status::failure(workers.error());
    base::Result<std::unique_ptr<PreviewSession>> prepared =
        prepareSession(options, inputs.value(), Voice::Reporting);
    if (!prepared) return Status::failure(prepared.error());
    PreviewSession& session = *prepared.value();
    if (!options.writeObjectPath.empty()) {
        if (Status written = writeObjectFile(session, options, inputs.value()); !written)
            return written;
    }
    inputs->scene.meshText.reset();  // the mesh is made: its text is not needed again
    if (!options.savePath.empty()) {
        Status saved = saveParameterFile(session.instance(), options.savePath, options.saveMode);
        if (!saved) return saved;
        std::fprintf(stderr, "wrote %s (parameters)\n", outputName(options.savePath).c_str());
    }
    if (!options.saveLookPath.empty()) {
        const base::Result<std::vector<std::string>> saved = saveLookFolder(
            session.instance(), lookOfRun(options, inputs.value()), options.saveLookPath);
        if (!saved) return Status::failure(saved.error());
        std::fprintf(stderr, "wrote %s (look folder: %s)\n", options.saveLookPath.c_str(),
                     base::listed(saved.value()).c_str());
    }
    if (options.wantsRender()) {
        Status rendered = renderAsked(session, options, inputs.value(), workers.value().get());
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
    return base::succeeded();
}

}  // namespace preview
