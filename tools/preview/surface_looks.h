// The surfaces of an object file as the renderer sets them up, in the preview: each surface
// that runs the module gets an instance of its own, loaded with its stored block in binary
// mode as the renderer loads an object; each other surface a plain material of its colour.
// The command line's look (its parameters and surface inputs) goes to the surfaces --surface
// names, or else to those that run the module; a model none of whose surfaces runs the
// module, with no --surface, wears the look all over as one surface, as any model does.
#ifndef PELORIX3_TOOLS_PREVIEW_SURFACE_LOOKS_H
#define PELORIX3_TOOLS_PREVIEW_SURFACE_LOOKS_H

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "models/surface.h"
#include "tools/preview/preview_inputs.h"
#include "tools/preview/preview_session.h"

namespace preview {

// The surfaces the look goes to, by their place in `surfaces`: those `named` (each must be
// one of them), or else those that run the module; none when the look covers the whole
// subject. `model` names the model's file in messages.
base::Result<std::vector<std::size_t>> lookedSurfaces(const std::vector<models::Surface>& surfaces,
                                                      const std::vector<std::string>& named,
                                                      const std::string& model);

// Sets up the session's model surfaces as above; the warnings say which surfaces' blocks
// could not be read (and get the module's defaults) and which other shaders are not run.
base::Result<std::vector<std::string>> shadeModelSurfaces(PreviewSession& session,
                                                          const PreviewOptions& options,
                                                          const PreviewInputs& inputs);

}  // namespace preview

#endif
