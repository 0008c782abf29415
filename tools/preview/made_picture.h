// A picture the tool made (a sheet, a strip, a comparison, the panel) written as PNG, with
// the line that says so.
#ifndef PELORIX3_TOOLS_PREVIEW_MADE_PICTURE_H
#define PELORIX3_TOOLS_PREVIEW_MADE_PICTURE_H

#include <string>

#include "base/result.h"
#include "render/panel_painter.h"

namespace preview {

// Writes `picture` to `path` and reports it on standard error as `what`; fails when the
// picture could not be made, or written.
base::Status writePicture(const base::Result<render::Image>& picture, const std::string& path,
                          const char* what);

}  // namespace preview

#endif
