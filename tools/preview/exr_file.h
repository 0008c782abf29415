// Pictures saved as OpenEXR files: the render's linear scene values as half floats, red,
// green and blue, with the chromaticities of the sRGB (Rec. 709) primaries, before any
// display transform or quantisation.
#ifndef PELORIX3_TOOLS_PREVIEW_EXR_FILE_H
#define PELORIX3_TOOLS_PREVIEW_EXR_FILE_H

#include <string>

#include "base/result.h"
#include "render/linear_image.h"

namespace preview {

// Whether a picture named `path` is written as OpenEXR: its name ends in .exr, in any case.
bool namesExr(const std::string& path);

// Writes the image to `path`, whole or not at all. A value beyond half precision's range
// (65504) is written as that largest value, not as an infinity.
base::Status writeExr(const render::LinearImage& image, const std::string& path);

}  // namespace preview

#endif
