#include "panels/panel_callbacks.h"

#include "framework/module_globals.h"
#include "framework/shading_server.h"
#include "panels/color_field.h"
#include "panels/interface.h"

namespace pelorix3 {

void onPanelDraw(HostPanel /*panel*/, void* data, int mode) {
    if (editedInstance && editedInstance->panel) editedInstance->panel->draw(data, mode);
}

void onControlEvent(HostControl* control, void* userData) {
    auto* panel = static_cast<Interface*>(userData);
    if (panel == nullptr) return;
    panel->children.routeEvent(control);
    panel->redraw();
}

void onSliderEvent(HostControl* /*control*/, void* userData) {
    auto* field = static_cast<ColorField*>(userData);
    if (field == nullptr) return;
    HostControl* swatch = field->handle;
    if (swatch && swatch->draw) swatch->draw(swatch, DR_REFRESH);
}

void onSwatchDraw(HostControl* /*control*/, void* userData, int mode) {
    if (auto* field = static_cast<ColorField*>(userData)) field->draw(mode);
}

}  // namespace pelorix3
