// Labels drawn into the pictures the tool puts together: a label paints its glyphs' pixels
// and nothing else, from the image's first row and column to its last, clipped there.
#include "tools/preview/label_painter.h"

#include <gtest/gtest.h>

#include <string>

#include "render/panel_font.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 12;
constexpr preview::Rgb kGround{10, 20, 30};
constexpr preview::Rgb kInk{200, 100, 50};

// A character the font has no glyph for is drawn as a filled block, 5 x 7 font pixels.
constexpr char kBlock = '\x01';

struct Placement {
    int x;
    int y;
    int scale;
};

// Whether pixel (px, py) lies in a block of the two-block label placed at `at`.
bool inBlock(const Placement& at, int px, int py) {
    for (int i = 0; i < 2; ++i) {
        const int left = at.x + i * render::glyphAdvance * at.scale;
        if (px >= left && px < left + render::glyphWidth * at.scale && py >= at.y &&
            py < at.y + render::glyphHeight * at.scale)
            return true;
    }
    return false;
}

TEST(Labels, PaintTheirGlyphsPixelsAndNoOthersClippedAtTheEdges) {
    const std::string label{kBlock, kBlock};
    for (const Placement at : {Placement{0, 0, 1}, Placement{0, 0, 2}, Placement{-3, -2, 2},
                               Placement{kWidth - 8, kHeight - 5, 1}}) {
        render::Image image{kWidth, kHeight, std::vector<unsigned char>(3 * kWidth * kHeight)};
        preview::fillImage(image, kGround);
        preview::drawLabel(image, at.x, at.y, label, at.scale, kInk);
        for (int py = 0; py < kHeight; ++py) {
            for (int px = 0; px < kWidth; ++px) {
                const preview::Rgb& expected = inBlock(at, px, py) ? kInk : kGround;
                const std::size_t pixel = 3 * (static_cast<std::size_t>(py) * kWidth + px);
                const preview::Rgb painted{image.rgb[pixel], image.rgb[pixel + 1],
                                           image.rgb[pixel + 2]};
                ASSERT_EQ(painted, expected) << "pixel " << px << ", " << py << " of the label at "
                                             << at.x << ", " << at.y << " scale " << at.scale;
            }
        }
    }
}

}  // namespace
