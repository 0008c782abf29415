// The preview command's work once its options are known: load the module, give the
// instance its parameters, and write every file asked for.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_COMMAND_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_COMMAND_H

#include "host/result.h"
#include "tools/preview/preview_options.h"

namespace preview {

// Stops at the first failure, with its message. Each file written is named on stdout.
standin::Status runPreview(const PreviewOptions& options);

}  // namespace preview

#endif
