// The zoom factor as angles of view: it sets the vertical angle, and the frame's shape in
// pixels of its aspect sets the horizontal one.
#include "host/camera_lens.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

struct Lens {
    double zoom;
    int width;
    int height;
    double pixelAspect;
    double horizontalDegrees;
    double verticalDegrees;
};

class CameraLens : public ::testing::TestWithParam<Lens> {};

TEST_P(CameraLens, ZoomGivesTheVerticalAngleAndTheFrameTheHorizontal) {
    const Lens& lens = GetParam();
    const standin::FieldOfView angles =
        standin::fieldOfView(lens.zoom, lens.width, lens.height, lens.pixelAspect);
    EXPECT_NEAR(angles.vertical * kDegrees, lens.verticalDegrees, 0.005);
    EXPECT_NEAR(angles.horizontal * kDegrees, lens.horizontalDegrees, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CameraLens,
    ::testing::Values(Lens{3.2, 640, 480, 1.0, 45.24, 34.71},  // the renderer's default
                      Lens{1.0, 100, 100, 1.0, 90.0, 90.0},
                      Lens{1.0, 200, 100, 0.5, 90.0, 90.0},  // narrow pixels
                      Lens{3.2, 0, 480, 1.0, 0.0, 34.71}, Lens{0.0, 640, 480, 1.0, 0.0, 0.0},
                      Lens{-3.2, 640, 480, 1.0, 0.0, 0.0},
                      Lens{std::numeric_limits<double>::quiet_NaN(), 640, 480, 1.0, 0.0, 0.0}));

TEST(CameraLens, TheDefaultZoomIsA24MillimetreLens) {
    EXPECT_DOUBLE_EQ(standin::focalLength(3.2), 24.0);
}

}  // namespace
