// Pictures saved as RGB PNG files, 8 or 16 bits a component, and grey maps. A picture's
// values are the shader's and the renderer's colour values, clamped to 0 to 1 and scaled,
// with no transfer curve of the tool's own: they are what the renderer's display shows, and
// the file says so with the sRGB chunk, so that a viewer shows them as the renderer would.
#ifndef PELORIX3_TOOLS_PREVIEW_PNG_FILE_H
#define PELORIX3_TOOLS_PREVIEW_PNG_FILE_H

#include <string>
#include <vector>

#include "base/result.h"
#include "render/linear_image.h"
#include "render/panel_painter.h"

namespace preview {

// Writes the 8-bit image to `path`, whole or not at all.
base::Status writePng(const render::Image& image, const std::string& path);

// Writes width × height 8-bit grey values (row-major, the top row first), such as a map's
// pattern, to `path`, whole or not at all. A map's values are the input's own: the file
// has no chunk of gamma or colour.
base::Status writeGreyPng(int width, int height, const std::vector<unsigned char>& grey,
                          const std::string& path);

// Writes the linear image to `path` with 16 bits a component (each value clamped to 0 to
// 1, times 65535, rounded), whole or not at all.
base::Status writePng16(const render::LinearImage& image, const std::string& path);

}  // namespace preview

#endif
