// The preview command's work once its options are known: read the inputs, load the module,
// give the instance its parameters, and write every file asked for.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_COMMAND_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_COMMAND_H

#include "base/result.h"
#include "tools/preview/preview_options.h"

namespace preview {

// Reads every input once, then renders and writes every file asked for; stops at the first
// failure, with its message. Each file written is named on stderr; stdout carries only
// what was asked to go there (the list of presets, a file named -).
base::Status runPreview(const PreviewOptions& options);

}  // namespace preview

#endif
