// The options panel as the stand-in host shows it, painted into a picture: the panel is
// opened through the module's "ShaderInterface" server for an instance, painted while
// open, and cancelled, so the instance keeps its values.
#ifndef PELORIX3_TOOLS_PREVIEW_PANEL_PICTURE_H
#define PELORIX3_TOOLS_PREVIEW_PANEL_PICTURE_H

#include "host/result.h"
#include "host/shader_driver.h"
#include "render/panel_painter.h"

namespace preview {

standin::Result<standin::Image> paintOptionsPanel(const standin::ShaderModule& module,
                                                  const standin::ShaderInstance& instance);

}  // namespace preview

#endif
