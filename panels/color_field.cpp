#include "panels/color_field.h"

#include <cmath>
#include <initializer_list>

#include "panels/panel_callbacks.h"
#include "panels/panel_records.h"

namespace pelorix3 {

namespace {

constexpr double sliderToFraction = 1.0 / 255.0;
constexpr int swatchWidth = 40;
constexpr int swatchHeight = 17;

int sliderValue(HostControl* slider) {
    int value = 0;
    getControlInt(slider, CTL_VALUE, value);
    return value;
}

}  // namespace

int sliderPosition(double fraction) {
    const double position = fraction * 255.0;
    if (std::isnan(position) || position <= 0.0) return 0;
    if (position >= 255.0) return 255;
    return static_cast<int>(position);
}

// The host may change the description record it is handed, so each slider writes it anew.
HostControl* ColorField::addSlider() {
    controlDesc.range.type = CD_RANGE;
    controlDesc.range.width = 25;
    controlDesc.range.min = 0;
    controlDesc.range.max = 255;
    return addHostControl("MiniSliderControl", "");
}

void ColorField::create() {
    controlDesc.area.type = CD_AREA;
    controlDesc.area.width = swatchWidth;
    controlDesc.area.height = swatchHeight;
    handle = addHostControl("AreaControl", "");
    red = addSlider();
    green = addSlider();
    blue = addSlider();
    setPosition(handle, x, y);
    setPosition(red, x + 50, y);
    setPosition(green, x + 120, y);
    setPosition(blue, x + 190, y);
    setControlPointer(handle, CTL_USERDATA, this);
    setControlPointer(handle, CTL_USERDRAW, reinterpret_cast<void*>(onSwatchDraw));
    for (HostControl* slider : {red, green, blue}) setEventCallback(slider, this, onSliderEvent);
    showValue();
}

void ColorField::fetchValue() {
    int r = 0, g = 0, b = 0;
    if (!getControlInt(red, CTL_VALUE, r) || !getControlInt(green, CTL_VALUE, g) ||
        !getControlInt(blue, CTL_VALUE, b))
        return;
    boundColor->x = r * sliderToFraction;
    boundColor->y = g * sliderToFraction;
    boundColor->z = b * sliderToFraction;
}

void ColorField::showValue() {
    setControlInt(red, CTL_VALUE, sliderPosition(boundColor->x));
    setControlInt(green, CTL_VALUE, sliderPosition(boundColor->y));
    setControlInt(blue, CTL_VALUE, sliderPosition(boundColor->z));
}

// The sliders are only asked while the panel is open: their handles go with the panel.
void ColorField::draw(int /*mode*/) {
    const DrawFuncs* funcs = drawFuncs();
    if (funcs == nullptr || funcs->drawRGBBox == nullptr) return;
    const int r = sliderValue(red);
    const int g = sliderValue(green);
    const int b = sliderValue(blue);
    funcs->drawRGBBox(hostPanel(), r, g, b, x + 13, y + 6, swatchWidth, swatchHeight);
}

}  // namespace pelorix3
