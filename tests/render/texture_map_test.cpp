// Surface maps sampled as the renderer samples them: bilinear between texel centres,
// repeating in both directions, v upwards from the picture's bottom edge.
#include "render/texture_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// 2 x 2 grey texels: 0 and 1 along the top row, 0.5 and 0.25 along the bottom one.
render::TextureMap twoByTwo() {
    return render::TextureMap::create(2, 2, 1, {0.0f, 1.0f, 0.5f, 0.25f}).value();
}

struct Sample {
    const char* name;
    double u;
    double v;
    double value;
};

const Sample kSamples[] = {
    {"TopLeftTexelCentre", 0.25, 0.75, 0.0},
    {"TopRightTexelCentre", 0.75, 0.75, 1.0},
    {"BottomLeftTexelCentre", 0.25, 0.25, 0.5},
    {"HalfwayAlongTheTopRow", 0.5, 0.75, 0.5},
    {"MiddleOfAllFour", 0.5, 0.5, 0.4375},
    {"AcrossTheLeftEdgeFromTheRight", 0.0, 0.75, 0.5},
    {"RepeatsOneOver", 1.25, 0.75, 0.0},
    {"RepeatsBelowZero", -0.25, -0.25, 1.0},
    {"RepeatsFarAway", 4096.75, -8191.75, 0.25},
    {"NotANumberSamplesTheCorner", std::numeric_limits<double>::quiet_NaN(), 0.0, 0.4375},
    {"HugeCoordinateStaysInside", 1e300, -1e300, 0.4375},
};

class TextureMapSample : public ::testing::TestWithParam<Sample> {};

TEST_P(TextureMapSample, IsBilinearAndRepeats) {
    const Sample& s = GetParam();
    EXPECT_NEAR(twoByTwo().valueAt(s.u, s.v), s.value, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(TextureMap, TextureMapSample, ::testing::ValuesIn(kSamples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextureMap, ColourGivesItsColourAndItsLuminanceAsAValue) {
    const auto map = render::TextureMap::create(1, 1, 3, {1.0f, 0.5f, 0.0f}).value();
    EXPECT_FALSE(map.isGrey());
    EXPECT_EQ(map.colorAt(0.3, 0.9), (base::Triple{1.0, 0.5, 0.0}));
    EXPECT_NEAR(map.valueAt(0.3, 0.9), 0.2126 + 0.7152 * 0.5, 1e-6);
    EXPECT_EQ(twoByTwo().colorAt(0.75, 0.75), (base::Triple{1.0, 1.0, 1.0}));
}

// Each channel of a colour map is bilinear on its own: halfway between a red and a green
// texel, and at the green one's centre.
TEST(TextureMap, ColourIsBilinearInEachChannel) {
    const auto map =
        render::TextureMap::create(2, 1, 3, {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f}).value();
    const base::Triple halfway = map.colorAt(0.5, 0.5);
    const base::Triple green = map.colorAt(0.75, 0.5);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(halfway[c], (base::Triple{0.5, 0.5, 0.0})[c], 1e-6) << c;
        EXPECT_NEAR(green[c], (base::Triple{0.0, 1.0, 0.0})[c], 1e-6) << c;
    }
}

TEST(TextureMap, RefusesValuesThatDoNotFitItsSize) {
    EXPECT_FALSE(render::TextureMap::create(2, 2, 1, {0.0f, 1.0f, 0.5f}));
    EXPECT_FALSE(render::TextureMap::create(1, 1, 2, {0.0f, 1.0f}));
    EXPECT_FALSE(render::TextureMap::create(0, 1, 1, {}));
}

}  // namespace
