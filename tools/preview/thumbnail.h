// A picture made smaller for the turntable's strip: each pixel the average of the pixels it
// covers.
#ifndef PELORIX3_TOOLS_PREVIEW_THUMBNAIL_H
#define PELORIX3_TOOLS_PREVIEW_THUMBNAIL_H

#include "render/panel_painter.h"

namespace preview {

// `image` at `width` x `height`; a size larger than the picture repeats its pixels.
render::Image shrunk(const render::Image& image, int width, int height);

}  // namespace preview

#endif
