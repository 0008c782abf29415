#include "panels/about_button.h"

#include "framework/host_services.h"
#include "panels/interface.h"
#include "panels/panel_callbacks.h"
#include "panels/panel_records.h"

namespace pelorix3 {

void AboutButton::create() {
    controlDesc.area.type = CD_AREA;
    controlDesc.area.width = 80;
    controlDesc.area.height = 0;
    handle = addHostControl("ButtonControl", "About");
    if (owner) setPosition(handle, owner->width / 2 - 46, owner->height - 28);
    setEventCallback(handle, owner, onControlEvent);
}

void AboutButton::onEvent(HostControl* control) {
    if (handle != nullptr && control == handle) showMessage(firstLine, secondLine);
}

}  // namespace pelorix3
