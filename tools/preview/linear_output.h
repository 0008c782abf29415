// The preview written from the render's linear values: an OpenEXR file (-o NAME.exr) of
// half floats, or a PNG of 16 bits a component (--bit-depth 16). Either is rendered in
// threads of this one process (--workers of them), as the render workers send 8-bit rows.
#ifndef PELORIX3_TOOLS_PREVIEW_LINEAR_OUTPUT_H
#define PELORIX3_TOOLS_PREVIEW_LINEAR_OUTPUT_H

#include <string>

#include "base/result.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/preview_session.h"

namespace preview {

// Whether the preview's picture is made from linear values.
bool wantsLinearPicture(const PreviewOptions& options);

// Renders the preview as linear values and writes it to options.output; `seconds` is
// set to the time the render took.
base::Status renderLinearPicture(PreviewSession& session, const PreviewOptions& options,
                                 double& seconds);

// How the message after writing names the picture's form, e.g. "OpenEXR, half float".
std::string linearPictureForm(const PreviewOptions& options);

}  // namespace preview

#endif
