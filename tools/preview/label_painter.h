// Labels in pictures, drawn with the stand-in host's 5 × 7 bitmap font.
#ifndef PELORIX3_TOOLS_PREVIEW_LABEL_PAINTER_H
#define PELORIX3_TOOLS_PREVIEW_LABEL_PAINTER_H

#include <array>
#include <string_view>

#include "render/panel_painter.h"

namespace preview {

using Rgb = std::array<unsigned char, 3>;

// Width and height in pixels of `text` drawn at `scale` pixels per font pixel.
int labelWidth(std::string_view text, int scale);
int labelHeight(int scale);

// Draws `text` with its top-left corner at (x, y); pixels outside the image are skipped.
void drawLabel(render::Image& image, int x, int y, std::string_view text, int scale,
               const Rgb& color);

// Fills the image with one colour.
void fillImage(render::Image& image, const Rgb& color);

// Copies `source` into `target` with its top-left corner at (x, y), clipped.
void blit(render::Image& target, const render::Image& source, int x, int y);

}  // namespace preview

#endif
