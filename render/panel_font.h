// A 5 × 7 bitmap font for painting panels: printable ASCII, one bit per pixel.
#ifndef PELORIX3_RENDER_PANEL_FONT_H
#define PELORIX3_RENDER_PANEL_FONT_H

namespace render {

inline constexpr int glyphWidth = 5;
inline constexpr int glyphHeight = 7;
inline constexpr int glyphAdvance = glyphWidth + 1;

// Whether the glyph of c has its pixel (column, row) set; characters outside printable
// ASCII are drawn as a filled block.
bool glyphPixel(char c, int column, int row);

}  // namespace render

#endif
