#include "panels/panel_records.h"

namespace pelorix3 {

constinit ControlDesc controlDesc{};
constinit ControlValue intValue{.intv = {CV_INTEGER, 0, 0}};
constinit ControlValue floatValue{.flt = {CV_FLOAT, 0.0, 0.0}};

namespace {

bool canSet(const HostControl* control) { return control && control->set; }
bool canGet(const HostControl* control) { return control && control->get; }

}  // namespace

void setControlInt(HostControl* control, int tag, int value) {
    if (!canSet(control)) return;
    intValue.intv.value = value;
    control->set(control, tag, &intValue);
}

void setControlPointer(HostControl* control, int tag, void* pointer) {
    if (!canSet(control)) return;
    intValue.ptr.ptr = pointer;
    control->set(control, tag, &intValue);
}

void setControlFloat(HostControl* control, int tag, double value) {
    if (!canSet(control)) return;
    floatValue.flt.value = value;
    control->set(control, tag, &floatValue);
}

bool getControlInt(HostControl* control, int tag, int& value) {
    if (!canGet(control)) return false;
    control->get(control, tag, &intValue);
    value = intValue.intv.value;
    return true;
}

bool getControlFloat(HostControl* control, int tag, double& value) {
    if (!canGet(control)) return false;
    control->get(control, tag, &floatValue);
    value = floatValue.flt.value;
    return true;
}

}  // namespace pelorix3
