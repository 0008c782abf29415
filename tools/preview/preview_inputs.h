// Everything the preview reads from files, read once before any render worker starts: the
// workers begin as copies of the process and make their sessions from the same bytes, so
// a pipe or standard input is read once, and a model is held once.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_INPUTS_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_INPUTS_H

#include <optional>
#include <vector>

#include "base/result.h"
#include "looks/parameter_file.h"
#include "looks/preset.h"
#include "tools/preview/compared_looks.h"
#include "tools/preview/preview_options.h"

namespace preview {

struct PreviewInputs {
    // The options' scene with the model's text, and the surface of the look (if any) with
    // the command line's surface inputs over it, its maps decoded.
    SceneSettings scene;
    std::optional<looks::Preset> preset;
    std::optional<looks::ParameterFile> loaded;  // --load
    std::vector<ComparedLook> compared;          // --compare
};

// Reads the look, its maps and those of --map, the model and the parameter file the
// options name; the first failure, naming its file.
base::Result<PreviewInputs> readInputs(const PreviewOptions& options);

}  // namespace preview

#endif
