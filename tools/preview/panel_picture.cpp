#include "tools/preview/panel_picture.h"

#include <functional>

#include "host/host_globals.h"
#include "host/panel_services.h"

namespace preview {
namespace {

// Opens the panel for `instance`, lets `look` see it while it is open, and cancels it.
base::Status withPanelOpen(const standin::ShaderModule& module,
                           const standin::ShaderInstance& instance,
                           const std::function<void(standin::PanelSession&)>& look) {
    standin::setScriptedUser([&look](standin::PanelSession& user) {
        look(user);
        return false;  // cancel: the instance keeps its values
    });
    const base::Result<int> opened = module.file().activate("ShaderInterface", "pelorix3", 2,
                                                            standin::globalFunc, instance.handle());
    standin::setScriptedUser(nullptr);
    if (!opened) return base::Status::failure(opened.error());
    if (opened.value() != 0) {
        return base::Status::failure("the options panel did not open (activation result " +
                                     std::to_string(opened.value()) + ")");
    }
    return base::succeeded();
}

}  // namespace

base::Result<render::Image> paintOptionsPanel(const standin::ShaderModule& module,
                                              const standin::ShaderInstance& instance) {
    using Outcome = base::Result<render::Image>;
    render::Image picture;
    const base::Status shown =
        withPanelOpen(module, instance, [&picture](standin::PanelSession& user) {
            // The host draws a panel as it opens it: the module paints its swatch and its
            // text label from the panel's drawing callback.
            user.redraw(DR_RENDER);
            picture = render::paintPanel(user.panel());
        });
    if (!shown) return Outcome::failure(shown.error());
    if (picture.width <= 0 || picture.height <= 0) {
        return Outcome::failure("the options panel opened with no size");
    }
    return Outcome::success(std::move(picture));
}

base::Result<std::string> optionsPanelTitle(const standin::ShaderModule& module,
                                            const standin::ShaderInstance& instance) {
    using Outcome = base::Result<std::string>;
    std::string title;
    const base::Status shown = withPanelOpen(
        module, instance, [&title](standin::PanelSession& user) { title = user.panel().title; });
    return shown ? Outcome::success(title) : Outcome::failure(shown.error());
}

}  // namespace preview
