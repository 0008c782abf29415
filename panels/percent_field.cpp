#include "panels/percent_field.h"

#include "panels/panel_callbacks.h"
#include "panels/panel_records.h"
#include "panels/text_width.h"

namespace pelorix3 {

void PercentField::create() {
    controlDesc.range.type = CD_RANGE;
    controlDesc.range.min = 0;
    controlDesc.range.max = 100;
    handle = addHostControl("PercentControl", label);
    setPosition(handle, x, y);
    setControlFloat(handle, CTL_VALUE, *value * 100.0);
    setEventCallback(handle, owner, onControlEvent);
}

// A multiplication by 0.01 rather than a division by 100, so that 33 comes back as 0.33.
void PercentField::fetchValue() {
    double percent = 0.0;
    if (!getControlFloat(handle, CTL_VALUE, percent)) return;
    *value = percent;
    *value *= 0.01;
}

int PercentField::width() const { return textWidth(label) + x + 75; }

}  // namespace pelorix3
