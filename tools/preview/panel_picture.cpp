#include "tools/preview/panel_picture.h"

#include <string>

#include "host/host_globals.h"
#include "host/panel_services.h"

namespace preview {

standin::Result<standin::Image> paintOptionsPanel(const standin::ShaderModule& module,
                                                  const standin::ShaderInstance& instance) {
    using Outcome = standin::Result<standin::Image>;
    standin::Image picture;
    standin::setScriptedUser([&picture](standin::PanelSession& user) {
        // The host draws a panel as it opens it: the module paints its swatch and its text
        // label from the panel's drawing callback.
        user.redraw(DR_RENDER);
        picture = standin::paintPanel(user.panel());
        return false;  // cancel: the instance keeps its values
    });
    const standin::Result<int> opened = module.file().activate(
        "ShaderInterface", "pelorix3", 2, standin::globalFunc, instance.handle());
    standin::setScriptedUser(nullptr);
    if (!opened) return Outcome::failure(opened.error());
    if (opened.value() != 0) {
        return Outcome::failure("the options panel did not open (activation result " +
                                std::to_string(opened.value()) + ")");
    }
    if (picture.width <= 0 || picture.height <= 0) {
        return Outcome::failure("the options panel opened with no size");
    }
    return Outcome::success(std::move(picture));
}

}  // namespace preview
