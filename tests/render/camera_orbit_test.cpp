// The camera turned about the framing's target: around the vertical axis, raised, brought
// closer, and held short of straight above and above the floor.
#include "render/camera_orbit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/camera.h"

namespace {

using base::Triple;
using render::CameraOrbit;
using render::CameraView;

// Seen from the front (-z), 1 above the target, 4 away across.
const CameraView kFraming{{0.0, 2.0, -4.0}, {0.0, 1.0, 0.0}};
constexpr double kLowest = 0.05;
const double kDistance = std::sqrt(17.0);
const double kSteepest = render::kSteepestElevation * std::numbers::pi / 180.0;

struct Turn {
    const char* name;
    CameraOrbit orbit;
    Triple position;
};

void PrintTo(const Turn& turn, std::ostream* out) { *out << turn.name; }

const Turn kTurns[] = {
    {"NoTurn", {}, {0.0, 2.0, -4.0}},
    {"QuarterToTheRight", {90.0, 0.0, 1.0}, {4.0, 2.0, 0.0}},
    {"HalfAround", {180.0, 0.0, 1.0}, {0.0, 2.0, 4.0}},
    {"TwiceAsClose", {0.0, 0.0, 2.0}, {0.0, 1.5, -2.0}},
    {"ZoomHeldAtItsMost", {0.0, 0.0, 100.0}, {0.0, 1.0 + 1.0 / 3.0, -4.0 / 3.0}},
    {"RaisedToTheSteepest",
     {0.0, 90.0, 1.0},
     {0.0, 1.0 + kDistance* std::sin(kSteepest), -kDistance* std::cos(kSteepest)}},
    {"LoweredToTheFloor",
     {0.0, -90.0, 1.0},
     {0.0, kLowest, -std::sqrt(17.0 - (1.0 - kLowest) * (1.0 - kLowest))}},
};

class CameraTurn : public ::testing::TestWithParam<Turn> {};

TEST_P(CameraTurn, MovesTheCameraAboutTheTargetOnly) {
    const Turn& turn = GetParam();
    const CameraView view = render::orbited(kFraming, turn.orbit, kLowest);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(view.position[axis], turn.position[axis], 1e-12) << "axis " << axis;
        EXPECT_EQ(view.target[axis], kFraming.target[axis]);
    }
    // What the orbit holds turns the camera alike: the studio keeps it, not what was asked.
    const CameraView again =
        render::orbited(kFraming, render::held(kFraming, turn.orbit, kLowest), kLowest);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(again.position[axis], view.position[axis], 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Orbit, CameraTurn, ::testing::ValuesIn(kTurns),
                         [](const auto& info) { return std::string(info.param.name); });

// The size of one pixel at a distance is how far apart the rays through two neighbouring
// pixels are there, in the middle of the picture.
TEST(Camera, PixelSizeIsTheSpacingOfNeighbouringRays) {
    const render::Camera camera({0.0, 1.0, -5.0}, {1.0, 0.5, 0.0}, 40.0, 160, 120);
    const Triple a = camera.ray(80.0, 60.0).direction;
    const Triple b = camera.ray(80.0, 61.0).direction;
    const double distance = 7.0;  // along each ray
    const Triple apart{(a[0] - b[0]) * distance, (a[1] - b[1]) * distance,
                       (a[2] - b[2]) * distance};
    EXPECT_NEAR(base::length(apart), camera.pixelSizeAt(distance),
                1e-3 * camera.pixelSizeAt(distance));
}

}  // namespace
