#include "panels/bool_field.h"

#include "panels/panel_callbacks.h"
#include "panels/panel_records.h"
#include "panels/text_width.h"

namespace pelorix3 {

void BoolField::create() {
    controlDesc.type = CD_BOOLEAN;
    handle = addHostControl("BoolControl", label);
    setPosition(handle, x, y);
    setControlInt(handle, CTL_VALUE, *value);
    setEventCallback(handle, owner, onControlEvent);
}

void BoolField::fetchValue() { getControlInt(handle, CTL_VALUE, *value); }

int BoolField::width() const { return textWidth(label) + x + 32; }

}  // namespace pelorix3
