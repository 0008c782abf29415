// A colour edited with three sliders (0..255) beside a swatch the module paints.
#ifndef PELORIX3_PANELS_COLOR_FIELD_H
#define PELORIX3_PANELS_COLOR_FIELD_H

#include "geometry/vec3.h"
#include "panels/control.h"

namespace pelorix3 {

class ColorField final : public Control {
public:
    // handle holds the swatch area.
    ColorField(Vec3* boundColor, int marginX, int marginY)
        : Control(marginX, marginY), boundColor(boundColor) {}

    void create() override;
    void fetchValue() override;
    // Sets the sliders from the bound colour; the swatch is not redrawn.
    void showValue() override;
    // Paints the swatch from the sliders' current positions.
    void draw(int mode) override;
    int width() const override { return x + 275; }

    Vec3* boundColor;  // red, green, blue fractions
    HostControl* red = nullptr;
    HostControl* green = nullptr;
    HostControl* blue = nullptr;

private:
    HostControl* addSlider();
};

// Slider position for a colour fraction: truncated toward zero and kept within 0..255,
// since stored colours are not validated; not a number gives 0.
int sliderPosition(double fraction);

}  // namespace pelorix3

#endif
