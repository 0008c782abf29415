// Every output's folder, checked before any work: a file whose folder is missing, is no
// folder or cannot be written in would otherwise fail only once the picture it holds is
// rendered. A look folder, which is made new, must not exist yet.
#ifndef PELORIX3_TOOLS_PREVIEW_OUTPUT_FOLDERS_H
#define PELORIX3_TOOLS_PREVIEW_OUTPUT_FOLDERS_H

#include "base/result.h"
#include "tools/preview/preview_options.h"

namespace preview {

// The first output that cannot be written where it is named, with its option and why.
base::Status checkOutputFolders(const PreviewOptions& options);

}  // namespace preview

#endif
