// The patterns made in code, as the studio and the looks use them for maps.
#include "render/patterns.h"

#include <gtest/gtest.h>

namespace {

// At 64 texels a side each of the eight bands is 8 rows: 4 of pile, then 4 burnt out, with
// the edges between texels, so that every texel is wholly one or the other.
TEST(Patterns, StripesAreEightBandsAcrossHalfPileHalfGround) {
    constexpr int kSize = 64;
    const auto grey = render::makePattern("stripes", kSize);
    ASSERT_TRUE(grey);
    ASSERT_EQ(grey->size(), std::size_t{kSize * kSize});
    for (int y = 0; y < kSize; ++y) {
        const unsigned char expected = y % 8 < 4 ? 255 : 0;
        for (int x = 0; x < kSize; ++x) {
            ASSERT_EQ((*grey)[static_cast<std::size_t>(y) * kSize + x], expected)
                << "texel " << x << ", " << y;
        }
    }
}

}  // namespace
