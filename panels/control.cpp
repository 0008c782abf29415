#include "panels/control.h"

#include "panels/interface.h"
#include "panels/panel_records.h"

namespace pelorix3 {

void Control::place(int left, int top, int /*slotWidth*/, int /*slotHeight*/) {
    x += left;
    y += top;
}

HostControl* Control::addHostControl(const char* kind, const char* label) const {
    if (owner == nullptr || owner->panelServices == nullptr) return nullptr;
    PanelServices& services = *owner->panelServices;
    if (services.addControl == nullptr || owner->hostPanel == nullptr) return nullptr;
    return services.addControl(owner->hostPanel, kind, &controlDesc, label);
}

void Control::setPosition(HostControl* control, int left, int top) {
    setControlInt(control, CTL_X, left);
    setControlInt(control, CTL_Y, top);
}

void Control::setEventCallback(HostControl* control, void* userData, ControlEventFunc event) {
    setControlPointer(control, CTL_USERDATA, userData);
    setControlPointer(control, CTL_USEREVENT, reinterpret_cast<void*>(event));
}

const DrawFuncs* Control::drawFuncs() const {
    if (owner == nullptr || owner->panelServices == nullptr || owner->hostPanel == nullptr)
        return nullptr;
    return owner->panelServices->drawFuncs;
}

HostPanel Control::hostPanel() const { return owner ? owner->hostPanel : nullptr; }

}  // namespace pelorix3
