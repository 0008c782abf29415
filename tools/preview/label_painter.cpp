#include "tools/preview/label_painter.h"

#include "render/panel_font.h"

namespace preview {
namespace {

void setPixel(render::Image& image, int x, int y, const Rgb& color) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    const std::size_t at = 3 * (static_cast<std::size_t>(y) * image.width + x);
    for (std::size_t c = 0; c < 3; ++c) image.rgb[at + c] = color[c];
}

}  // namespace

int labelWidth(std::string_view text, int scale) {
    if (text.empty()) return 0;
    return (static_cast<int>(text.size()) * render::glyphAdvance - 1) * scale;
}

int labelHeight(int scale) { return render::glyphHeight * scale; }

void drawLabel(render::Image& image, int x, int y, std::string_view text, int scale,
               const Rgb& color) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int left = x + static_cast<int>(i) * render::glyphAdvance * scale;
        for (int row = 0; row < render::glyphHeight * scale; ++row) {
            for (int column = 0; column < render::glyphWidth * scale; ++column) {
                if (render::glyphPixel(text[i], column / scale, row / scale)) {
                    setPixel(image, left + column, y + row, color);
                }
            }
        }
    }
}

void fillImage(render::Image& image, const Rgb& color) {
    for (std::size_t at = 0; at + 2 < image.rgb.size(); at += 3) {
        for (std::size_t c = 0; c < 3; ++c) image.rgb[at + c] = color[c];
    }
}

void blit(render::Image& target, const render::Image& source, int x, int y) {
    for (int row = 0; row < source.height; ++row) {
        for (int column = 0; column < source.width; ++column) {
            const std::size_t at = 3 * (static_cast<std::size_t>(row) * source.width + column);
            setPixel(target, x + column, y + row,
                     {source.rgb[at], source.rgb[at + 1], source.rgb[at + 2]});
        }
    }
}

}  // namespace preview
