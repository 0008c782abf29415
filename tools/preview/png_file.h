// Pictures saved as 8-bit RGB PNG files.
#ifndef PELORIX3_TOOLS_PREVIEW_PNG_FILE_H
#define PELORIX3_TOOLS_PREVIEW_PNG_FILE_H

#include <string>

#include "host/result.h"
#include "render/panel_painter.h"

namespace preview {

// Writes the image to `path`, whole or not at all.
standin::Status writePng(const standin::Image& image, const std::string& path);

}  // namespace preview

#endif
