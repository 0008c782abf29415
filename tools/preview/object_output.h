// What the preview says about, and writes into, the object file of --mesh: the list of its
// surfaces, and a copy of it with the look in the surfaces the look goes to.
#ifndef PELORIX3_TOOLS_PREVIEW_OBJECT_OUTPUT_H
#define PELORIX3_TOOLS_PREVIEW_OBJECT_OUTPUT_H

#include <string>

#include "base/result.h"
#include "tools/preview/preview_inputs.h"
#include "tools/preview/preview_session.h"

namespace preview {

// A refusal, before any work, of what needs an object file when the model is not one.
base::Status checkObjectFileNeeded(const PreviewOptions& options, const PreviewInputs& inputs);

// --write-surface-values: a refusal, before any work, of a base value the file's form cannot
// hold, naming the surface; a warning when LWOB's whole specular exponent changes the
// roughness by more than 1 %.
base::Status checkObjectLook(const PreviewOptions& options, const PreviewInputs& inputs);

// --list-surfaces: a line for each surface of the model on standard output, each with the
// surfaces it starts from; a --surface name the file does not have is refused.
base::Status listSurfaces(const PreviewOptions& options, const PreviewInputs& inputs);

// --write-object: the model's bytes with each surface the look goes to (every surface when
// it covers the whole model) running the module with the stored block its instance saves
// in binary mode and, with --write-surface-values, the look's surface inputs as base values.
// Read once and written once, whole or not at all; the message names the surfaces written
// and those that start from them.
base::Status writeObjectFile(PreviewSession& session, const PreviewOptions& options,
                             const PreviewInputs& inputs);

}  // namespace preview

#endif
