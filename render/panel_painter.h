// Paints an open stand-in panel into an RGB image, as the host would show it: frame,
// controls with labels and values, then everything the module drew through the drawing
// table (swatches, texts), in the order it drew it.
#ifndef PELORIX3_RENDER_PANEL_PAINTER_H
#define PELORIX3_RENDER_PANEL_PAINTER_H

#include <vector>

#include "host/panel_services.h"

namespace standin {

// Row-major, three bytes (red, green, blue) per pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// An image of the panel's width and height (empty when either is not positive).
Image paintPanel(const Panel& panel);

}  // namespace standin

#endif
