// Paints an open stand-in panel into an RGB image, as the host would show it: frame,
// controls with labels and values, then everything the module drew through the drawing
// table (swatches, texts), in the order it drew it.
#ifndef PELORIX3_RENDER_PANEL_PAINTER_H
#define PELORIX3_RENDER_PANEL_PAINTER_H

#include <vector>

#include "host/panel_services.h"

namespace render {

// Row-major, three bytes (red, green, blue) per pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// An image of the panel's width and height (empty when either is not positive).
Image paintPanel(const standin::Panel& panel);

// Where the painter shows a control, in panel pixels: its label and box, the part that a
// click lands on.
struct ControlBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

ControlBox controlBox(const standin::PanelControl& control);

// The control shown at (x, y), the last created where boxes overlap; null for none.
standin::PanelControl* controlAt(standin::Panel& panel, int x, int y);

// The value a slider shows with its bar reaching panel column x, within its range.
int sliderValueAt(const standin::PanelControl& slider, int x);

}  // namespace render

#endif
