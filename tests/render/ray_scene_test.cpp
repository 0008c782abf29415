// The renderer's ray-traced objects: what camera rays hit, with which normals, and which
// points lie in shadow. Embree traces in single precision, hence the tolerances.
#include "render/ray_scene.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

constexpr double kFar = std::numeric_limits<double>::infinity();
constexpr double kTolerance = 1e-5;

// A sphere standing on the floor, and a one-triangle mesh off to the side whose corner
// normals lean apart, so that its interpolated normal differs from its face normal.
std::unique_ptr<render::RayScene> sphereOnFloor() {
    auto scene = render::RayScene::create();
    EXPECT_TRUE(scene) << scene.error();
    scene.value()->add(render::Sphere{{0.0, 1.0, 0.0}, 1.0});
    scene.value()->add(render::Floor{0.0, 50.0});
    models::TriangleMesh triangle;
    triangle.positions = {{4.0f, 0.5f, 0.0f}, {6.0f, 0.5f, 0.0f}, {4.0f, 2.5f, 0.0f}};
    triangle.triangles = {{0, 1, 2}};
    triangle.cornerNormals = {{models::Point3f{-0.6f, 0.0f, -0.8f},
                               models::Point3f{0.6f, 0.0f, -0.8f},
                               models::Point3f{0.0f, 0.6f, -0.8f}}};
    scene.value()->add(std::move(triangle));
    EXPECT_TRUE(scene.value()->commit());
    return std::move(scene.value());
}

TEST(RayScene, NearestHitIsTheFrontOfTheSphere) {
    const auto hit = sphereOnFloor()->nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, 1.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->object, 0);
    EXPECT_NEAR(hit->distance, 4.0, kTolerance);
    EXPECT_NEAR(hit->position[2], -1.0, kTolerance);
    EXPECT_NEAR(hit->normal[2], -1.0, kTolerance);
    EXPECT_NEAR(hit->geometricNormal[2], -1.0, kTolerance);
}

TEST(RayScene, RayPastTheSphereHitsTheFloorFacingUp) {
    const auto hit = sphereOnFloor()->nearestHit({3.0, 2.0, 0.5}, {0.0, -1.0, 0.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->object, 1);
    EXPECT_NEAR(hit->distance, 2.0, kTolerance);
    EXPECT_NEAR(hit->normal[1], 1.0, kTolerance);
    EXPECT_NEAR(hit->geometricNormal[1], 1.0, kTolerance);
}

TEST(RayScene, MeshHitInterpolatesTheCornerNormals) {
    // Through the middle of the first edge: halfway between the first two corners.
    const auto hit = sphereOnFloor()->nearestHit({5.0, 0.5 + 1e-3, -3.0}, {0.0, 0.0, 1.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->object, 2);
    EXPECT_EQ(hit->primitive, 0);
    EXPECT_NEAR(hit->normal[0], 0.0, 1e-3);
    EXPECT_NEAR(hit->normal[2], -1.0, 1e-3);
    // The face itself lies in z = 0; its normal takes the side of the corner normals.
    EXPECT_NEAR(hit->geometricNormal[2], -1.0, kTolerance);
    const auto nearCorner = sphereOnFloor()->nearestHit({4.01, 0.51, -3.0}, {0.0, 0.0, 1.0}, kFar);
    ASSERT_TRUE(nearCorner);
    EXPECT_NEAR(nearCorner->normal[0], -0.6, 0.02);
}

TEST(RayScene, NothingBeyondTheLimitOrBehindTheOrigin) {
    const auto scene = sphereOnFloor();
    EXPECT_FALSE(scene->nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, 1.0}, 3.9));
    EXPECT_FALSE(scene->nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, -1.0}, kFar));
    EXPECT_FALSE(scene->nearestHit({0.0, 5.0, 0.0}, {0.0, 1.0, 0.0}, kFar));
}

TEST(RayScene, RayFromInsideTheSphereMeetsItsFarSide) {
    const auto hit = sphereOnFloor()->nearestHit({0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->distance, 1.0, kTolerance);
}

TEST(RayScene, LitSideIsNotShadowedByItsOwnSurface) {
    const auto scene = sphereOnFloor();
    const double top[3] = {0.0, 2.0, 0.0};
    const double up[3] = {0.0, 1.0, 0.0};
    EXPECT_FALSE(scene->occluded(top, up, kFar));
    const double floor[3] = {3.0, 0.0, 0.0};
    EXPECT_FALSE(scene->occluded(floor, up, kFar));
}

TEST(RayScene, FarSideAndTheFloorBelowAreShadowed) {
    const auto scene = sphereOnFloor();
    const double underneath[3] = {0.0, 0.0, 0.0};
    const double up[3] = {0.0, 1.0, 0.0};
    EXPECT_TRUE(scene->occluded(underneath, up, kFar));
    const double side[3] = {-1.0, 1.0, 0.0};  // light from +x reaches the far side
    const double towardsPlusX[3] = {1.0, 0.0, 0.0};
    EXPECT_TRUE(scene->occluded(side, towardsPlusX, kFar));
}

TEST(RayScene, OccluderBeyondTheLightCastsNoShadow) {
    const auto scene = sphereOnFloor();
    const double towardsSphere[3] = {0.0, 0.0, 1.0};
    const double beside[3] = {1.5, 1.0, -3.0};
    EXPECT_FALSE(scene->occluded(beside, towardsSphere, kFar));  // passes beside the sphere
    const double low[3] = {0.0, 1.0, -3.0};
    EXPECT_TRUE(scene->occluded(low, towardsSphere, kFar));
    EXPECT_FALSE(scene->occluded(low, towardsSphere, 1.5));  // the light is nearer than it
}

TEST(RayScene, MeshesCastShadows) {
    const auto scene = sphereOnFloor();
    const double behindTriangle[3] = {4.5, 1.0, 2.0};
    const double towardsCamera[3] = {0.0, 0.0, -1.0};
    EXPECT_TRUE(scene->occluded(behindTriangle, towardsCamera, kFar));
    EXPECT_FALSE(scene->occluded(behindTriangle, towardsCamera, 1.5));
}

TEST(RayScene, OcclusionTestReadsTheScene) {
    const auto scene = sphereOnFloor();
    const standin::OcclusionTest test = scene->occlusionTest();
    const double low[3] = {0.0, 1.0, -3.0};
    const double towardsSphere[3] = {0.0, 0.0, 1.0};
    EXPECT_TRUE(test(low, towardsSphere, kFar));
}

}  // namespace
