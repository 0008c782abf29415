// The module-wide records exchanged with the host's panel services, and the calls that fill
// and pass them. One of each, shared by every control; all panel work runs on the host's
// interface thread.
#ifndef PELORIX3_PANELS_PANEL_RECORDS_H
#define PELORIX3_PANELS_PANEL_RECORDS_H

#include "framework/host_interface.h"

namespace pelorix3 {

// Description passed to add-control; a creation writes only the fields its kind needs.
extern ControlDesc controlDesc;
// Integer record (type 2): positions, integer values, user data and callbacks.
extern ControlValue intValue;
// Floating record (type 3).
extern ControlValue floatValue;

// Each call does nothing when the control (or its function) is missing.
void setControlInt(HostControl* control, int tag, int value);
void setControlPointer(HostControl* control, int tag, void* pointer);
void setControlFloat(HostControl* control, int tag, double value);
// False, with value untouched, when the control cannot be asked.
bool getControlInt(HostControl* control, int tag, int& value);
bool getControlFloat(HostControl* control, int tag, double& value);

}  // namespace pelorix3

#endif
