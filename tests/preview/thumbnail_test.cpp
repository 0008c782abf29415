// The turntable's thumbnails: each pixel the rounded average of the block of the picture it
// covers, every row ending at the thumbnail's own width. A write past the last pixel
// changes no pixel read back, so the test also runs with the C library's heap check
// (thumbnail_heap_check), as the sanitizers run it in their build.
#include "tools/preview/thumbnail.h"

#include <gtest/gtest.h>

namespace {

// 6 x 4, each channel of each pixel its own value.
render::Image numbered() {
    render::Image image{6, 4, std::vector<unsigned char>(3 * 6 * 4)};
    for (std::size_t i = 0; i < image.rgb.size(); ++i)
        image.rgb[i] = static_cast<unsigned char>(3 * i);
    return image;
}

unsigned char channel(const render::Image& image, int x, int y, int c) {
    return image.rgb[3 * (static_cast<std::size_t>(y) * image.width + x) + c];
}

TEST(Thumbnail, EachPixelAveragesTheBlockItCoversWithinItsOwnRows) {
    const render::Image picture = numbered();
    const render::Image small = preview::shrunk(picture, 3, 2);
    ASSERT_EQ(small.width, 3);
    ASSERT_EQ(small.height, 2);
    ASSERT_EQ(small.rgb.size(), 3u * 3 * 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int sum = channel(picture, 2 * x, 2 * y, c) +
                                channel(picture, 2 * x + 1, 2 * y, c) +
                                channel(picture, 2 * x, 2 * y + 1, c) +
                                channel(picture, 2 * x + 1, 2 * y + 1, c);
                EXPECT_EQ(channel(small, x, y, c), (sum + 2) / 4)
                    << "pixel " << x << ", " << y << " channel " << c;
            }
        }
    }
}

}  // namespace
