#include "render/panel_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "render/panel_font.h"

namespace render {

namespace {

struct Rgb {
    unsigned char r, g, b;
};

constexpr Rgb background{190, 190, 190};
constexpr Rgb shadow{90, 90, 90};
constexpr Rgb highlight{240, 240, 240};
constexpr Rgb fieldFill{225, 225, 225};
constexpr Rgb ink{0, 0, 0};
constexpr Rgb sliderBar{150, 160, 200};

// The host's colour indices 0 to 15.
constexpr Rgb palette[16] = {
    {0, 0, 0},       {255, 255, 255}, {190, 190, 190}, {90, 90, 90},
    {240, 240, 240}, {128, 128, 128}, {200, 40, 40},   {40, 160, 40},
    {40, 40, 200},   {20, 20, 20},    {220, 200, 40},  {40, 200, 200},
    {200, 40, 200},  {160, 100, 40},  {100, 100, 160}, {60, 60, 60},
};

Rgb paletteColor(int index) { return index >= 0 && index < 16 ? palette[index] : ink; }

unsigned char channel(int value) { return static_cast<unsigned char>(std::clamp(value, 0, 255)); }

class Canvas {
public:
    explicit Canvas(Image& image) : image_(image) {}

    void pixel(int x, int y, Rgb color) {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
        const std::size_t at = 3 * (static_cast<std::size_t>(y) * image_.width + x);
        image_.rgb[at] = color.r;
        image_.rgb[at + 1] = color.g;
        image_.rgb[at + 2] = color.b;
    }

    void fill(int x, int y, int w, int h, Rgb color) {
        for (int row = y; row < y + h; ++row)
            for (int column = x; column < x + w; ++column) pixel(column, row, color);
    }

    void outline(int x, int y, int w, int h, Rgb topLeft, Rgb bottomRight) {
        fill(x, y, w, 1, topLeft);
        fill(x, y, 1, h, topLeft);
        fill(x, y + h - 1, w, 1, bottomRight);
        fill(x + w - 1, y, 1, h, bottomRight);
    }

    void line(int x0, int y0, int x1, int y1, Rgb color) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps ? static_cast<double>(i) / steps : 0.0;
            pixel(static_cast<int>(std::lround(x0 + t * (x1 - x0))),
                  static_cast<int>(std::lround(y0 + t * (y1 - y0))), color);
        }
    }

    void text(int x, int y, const std::string& text, Rgb color) {
        for (char c : text) {
            for (int row = 0; row < glyphHeight; ++row)
                for (int column = 0; column < glyphWidth; ++column)
                    if (glyphPixel(c, column, row)) pixel(x + column, y + row, color);
            x += glyphAdvance;
        }
    }

private:
    Image& image_;
};

int textPixels(const std::string& text) { return glyphAdvance * static_cast<int>(text.size()); }

void paintFrame(Canvas& canvas, const standin::Panel& panel) {
    canvas.fill(0, 0, panel.width, panel.height, background);
    canvas.outline(0, 0, panel.width, panel.height, highlight, shadow);
}

void paintField(Canvas& canvas, int x, int y, int w, const std::string& value) {
    canvas.fill(x, y, w, 17, fieldFill);
    canvas.outline(x, y, w, 17, shadow, highlight);
    canvas.text(x + 4, y + 5, value, ink);
}

// While the user types into the field, it shows the typed text and a caret.
void paintPercent(Canvas& canvas, const standin::PanelControl& control) {
    canvas.text(control.x, control.y + 6, control.label, ink);
    const long percent = std::lround(control.value);
    paintField(canvas, control.x + textPixels(control.label) + 8, control.y + 1, 50,
               control.typing ? *control.typing + "_" : std::to_string(percent) + " %");
}

void paintSwitch(Canvas& canvas, const standin::PanelControl& control) {
    canvas.fill(control.x, control.y + 4, 12, 12, fieldFill);
    canvas.outline(control.x, control.y + 4, 12, 12, shadow, highlight);
    if (control.value != 0.0) canvas.fill(control.x + 3, control.y + 7, 6, 6, ink);
    canvas.text(control.x + 18, control.y + 6, control.label, ink);
}

// The area's owner draws into its interior, which starts 13 right and 6 down.
void paintArea(Canvas& canvas, const standin::PanelControl& control) {
    canvas.outline(control.x + 12, control.y + 5, control.desc.area.width + 2,
                   control.desc.area.height + 2, shadow, highlight);
}

// A slider's bar fills the inside of its field, one pixel in from each side.
constexpr int kSliderWidth = 60;
constexpr int kSliderBarWidth = kSliderWidth - 2;

void paintSlider(Canvas& canvas, const standin::PanelControl& control) {
    const int range = std::max(1, control.desc.range.max - control.desc.range.min);
    const double fraction = std::clamp((control.value - control.desc.range.min) / range, 0.0, 1.0);
    const ControlBox box = controlBox(control);
    paintField(canvas, box.x, box.y, box.width, "");
    canvas.fill(box.x + 1, box.y + 1, static_cast<int>(kSliderBarWidth * fraction), 15, sliderBar);
    canvas.text(control.x + 4, control.y + 11, std::to_string(std::lround(control.value)), ink);
}

void paintButton(Canvas& canvas, const standin::PanelControl& control) {
    const ControlBox box = controlBox(control);
    canvas.fill(box.x, box.y, box.width, box.height, background);
    canvas.outline(box.x, box.y, box.width, box.height, highlight, shadow);
    canvas.text(control.x + (box.width - textPixels(control.label)) / 2, control.y + 7,
                control.label, ink);
}

void paintControl(Canvas& canvas, const standin::PanelControl& control) {
    if (control.kind == "PercentControl") paintPercent(canvas, control);
    if (control.kind == "BoolControl") paintSwitch(canvas, control);
    if (control.kind == "AreaControl") paintArea(canvas, control);
    if (control.kind == "MiniSliderControl") paintSlider(canvas, control);
    if (control.kind == "ButtonControl") paintButton(canvas, control);
}

Rgb rgbArguments(const std::vector<int>& a) {
    return {channel(a[0]), channel(a[1]), channel(a[2])};
}

void replay(Canvas& canvas, const standin::DrawCall& call) {
    const std::vector<int>& a = call.arguments;
    if (call.function == "drawPixel") canvas.pixel(a[1], a[2], paletteColor(a[0]));
    if (call.function == "drawRGBPixel") canvas.pixel(a[3], a[4], rgbArguments(a));
    if (call.function == "drawLine") canvas.line(a[1], a[2], a[3], a[4], paletteColor(a[0]));
    if (call.function == "drawBox") canvas.fill(a[1], a[2], a[3], a[4], paletteColor(a[0]));
    if (call.function == "drawRGBBox") canvas.fill(a[3], a[4], a[5], a[6], rgbArguments(a));
    if (call.function == "drawBorder") canvas.outline(a[1], a[2], a[3], a[4], shadow, highlight);
    if (call.function == "drawText") canvas.text(a[1], a[2], call.text, paletteColor(a[0]));
}

}  // namespace

ControlBox controlBox(const standin::PanelControl& control) {
    const int labelWidth = textPixels(control.label);
    if (control.kind == "PercentControl") return {control.x, control.y, labelWidth + 58, 20};
    if (control.kind == "BoolControl") return {control.x, control.y, labelWidth + 18, 20};
    if (control.kind == "AreaControl") {
        return {control.x + 12, control.y + 5, control.desc.area.width + 2,
                control.desc.area.height + 2};
    }
    if (control.kind == "MiniSliderControl") return {control.x, control.y + 6, kSliderWidth, 17};
    if (control.kind == "ButtonControl") {
        return {control.x, control.y, std::max(control.desc.area.width, labelWidth + 8), 20};
    }
    return {control.x, control.y, 0, 0};
}

standin::PanelControl* controlAt(standin::Panel& panel, int x, int y) {
    for (auto control = panel.controls.rbegin(); control != panel.controls.rend(); ++control) {
        if (controlBox(**control).contains(x, y)) return control->get();
    }
    return nullptr;
}

int sliderValueAt(const standin::PanelControl& slider, int x) {
    const int low = slider.desc.range.min;
    const int high = std::max(low, slider.desc.range.max);
    const double fraction = double(x - (slider.x + 1)) / kSliderBarWidth;
    const long value = std::lround(low + std::clamp(fraction, 0.0, 1.0) * (high - low));
    return static_cast<int>(std::clamp<long>(value, low, high));
}

Image paintPanel(const standin::Panel& panel) {
    Image image;
    if (panel.width <= 0 || panel.height <= 0) return image;
    image.width = panel.width;
    image.height = panel.height;
    image.rgb.assign(3 * static_cast<std::size_t>(image.width) * image.height, 0);
    Canvas canvas(image);
    paintFrame(canvas, panel);
    for (const auto& control : panel.controls) paintControl(canvas, *control);
    for (const standin::DrawCall& call : panel.drawing) replay(canvas, call);
    return image;
}

}  // namespace render
