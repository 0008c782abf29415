// Everything the preview command can be told, and its command line.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H

#include <CLI/CLI.hpp>
#include <chrono>
#include <string>

#include "looks/parameter_file.h"
#include "tools/preview/map_options.h"
#include "tools/preview/parameter_overrides.h"
#include "tools/preview/render_names.h"
#include "tools/preview/silence_limit.h"
#include "tools/preview/surface_overrides.h"

namespace preview {

struct PreviewOptions {
    SceneSettings scene;    // without the model, which is read once the options are known
    std::string modelPath;  // --mesh
    SurfaceOverrides surface;
    std::vector<MapOption> maps;  // --map
    ParameterOverrides parameters;
    std::string presetName;
    bool listPresets = false;
    bool verbose = false;  // the time of each stage on stderr
    RenderSettings render;
    std::string output = "preview.png";
    bool outputGiven = false;
    int bitDepth = 8;           // of the preview's PNG: 8, or 16 from the linear values
    bool workersGiven = false;  // --workers or --threads; otherwise the count is chosen
    // The least time a render worker may go without sending a row.
    std::chrono::steady_clock::duration workerTimeout = SilenceLimit::kDefaultLeast;
    std::string modulePath;  // empty: the module beside the executable
    std::string loadPath;
    std::string savePath;
    StorageMode loadMode = StorageMode::Auto;
    StorageMode saveMode = StorageMode::Auto;
    std::string panelPath;
    std::string sheetPath;
    std::string switchSheetPath;

    // The preview itself is rendered when asked for with --output, or when nothing else
    // was asked for.
    bool asksForFiles() const {
        return outputGiven || !savePath.empty() || !panelPath.empty() || !sheetPath.empty() ||
               !switchSheetPath.empty();
    }
    bool wantsRender() const { return outputGiven || (!listPresets && !asksForFiles()); }
};

// Declares every option on `app`, writing into `options` as the command line is parsed.
void defineOptions(CLI::App& app, PreviewOptions& options);

}  // namespace preview

#endif
