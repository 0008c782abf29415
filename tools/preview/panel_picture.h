// The options panel as the stand-in host shows it: the panel is opened through the
// module's "ShaderInterface" server for an instance, looked at while open (painted into a
// picture, or its title read), and cancelled, so the instance keeps its values.
#ifndef PELORIX3_TOOLS_PREVIEW_PANEL_PICTURE_H
#define PELORIX3_TOOLS_PREVIEW_PANEL_PICTURE_H

#include <string>

#include "base/result.h"
#include "host/shader_driver.h"
#include "render/panel_painter.h"

namespace preview {

base::Result<render::Image> paintOptionsPanel(const standin::ShaderModule& module,
                                              const standin::ShaderInstance& instance);

// The title the module gives its options panel ("pelorix 3.0").
base::Result<std::string> optionsPanelTitle(const standin::ShaderModule& module,
                                            const standin::ShaderInstance& instance);

}  // namespace preview

#endif
