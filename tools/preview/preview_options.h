// Everything the preview command can be told, and its command line.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H

#include <CLI/CLI.hpp>
#include <string>

#include "tools/preview/parameter_file.h"
#include "tools/preview/parameter_overrides.h"
#include "tools/preview/render_names.h"

namespace preview {

struct PreviewOptions {
    SceneSettings scene;
    ParameterOverrides parameters;
    RenderSettings render;
    std::string output = "preview.png";
    bool outputGiven = false;
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
    bool wantsRender() const {
        return outputGiven || (savePath.empty() && panelPath.empty() && sheetPath.empty() &&
                               switchSheetPath.empty());
    }
};

// Declares every option on `app`, writing into `options` as the command line is parsed.
void defineOptions(CLI::App& app, PreviewOptions& options);

}  // namespace preview

#endif
