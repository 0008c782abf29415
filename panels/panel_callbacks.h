// The functions the host calls back while a panel is open. Each tolerates missing data, as
// nothing may fail across the host boundary.
#ifndef PELORIX3_PANELS_PANEL_CALLBACKS_H
#define PELORIX3_PANELS_PANEL_CALLBACKS_H

#include "framework/host_interface.h"

namespace pelorix3 {

// The panel's drawing callback: repaints the panel of the instance being edited.
void onPanelDraw(HostPanel panel, void* data, int mode);
// Event callback of percent, switch and button controls; userData is their Interface.
// Routes the event through the tree, then redraws.
void onControlEvent(HostControl* control, void* userData);
// Event callback of a colour field's sliders; userData is the ColorField. Asks the host to
// repaint that field's swatch area only.
void onSliderEvent(HostControl* control, void* userData);
// Drawing callback of a colour field's swatch area; userData is the ColorField.
void onSwatchDraw(HostControl* control, void* userData, int mode);

}  // namespace pelorix3

#endif
