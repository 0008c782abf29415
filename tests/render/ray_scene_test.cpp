// The host's ray-traced objects: what camera rays hit, and which points lie in shadow.
#include "render/ray_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kFar = std::numeric_limits<double>::infinity();

standin::RayScene sphereOnGround() {
    standin::RayScene scene;
    scene.add(standin::Sphere{{0.0, 1.0, 0.0}, 1.0});
    scene.add(standin::Plane{{0.0, 0.0, 0.0}, {0.0, 2.0, 0.0}});  // normal of any length
    return scene;
}

TEST(RayScene, NearestHitIsTheFrontOfTheSphere) {
    const auto hit = sphereOnGround().nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, 1.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->object, 0);
    EXPECT_DOUBLE_EQ(hit->distance, 4.0);
    EXPECT_DOUBLE_EQ(hit->position[2], -1.0);
    EXPECT_DOUBLE_EQ(hit->normal[2], -1.0);
}

TEST(RayScene, RayPastTheSphereHitsTheGroundWithAUnitNormal) {
    const auto hit = sphereOnGround().nearestHit({3.0, 2.0, 0.0}, {0.0, -1.0, 0.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->object, 1);
    EXPECT_DOUBLE_EQ(hit->distance, 2.0);
    EXPECT_DOUBLE_EQ(hit->normal[1], 1.0);
}

TEST(RayScene, NothingBeyondTheLimitOrBehindTheOrigin) {
    const standin::RayScene scene = sphereOnGround();
    EXPECT_FALSE(scene.nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, 1.0}, 3.9));
    EXPECT_FALSE(scene.nearestHit({0.0, 1.0, -5.0}, {0.0, 0.0, -1.0}, kFar));
    EXPECT_FALSE(scene.nearestHit({0.0, 5.0, 0.0}, {0.0, 1.0, 0.0}, kFar));
}

TEST(RayScene, RayFromInsideTheSphereMeetsItsFarSide) {
    const auto hit = sphereOnGround().nearestHit({0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}, kFar);
    ASSERT_TRUE(hit);
    EXPECT_DOUBLE_EQ(hit->distance, 1.0);
}

TEST(RayScene, LitSideIsNotShadowedByItsOwnSurface) {
    const standin::RayScene scene = sphereOnGround();
    const double top[3] = {0.0, 2.0, 0.0};
    const double up[3] = {0.0, 1.0, 0.0};
    EXPECT_FALSE(scene.occluded(top, up, kFar));
    const double ground[3] = {3.0, 0.0, 0.0};
    EXPECT_FALSE(scene.occluded(ground, up, kFar));
}

TEST(RayScene, FarSideAndTheGroundBelowAreShadowed) {
    const standin::RayScene scene = sphereOnGround();
    const double bottom[3] = {0.0, 0.0 + 1e-9, -0.0};
    const double up[3] = {0.0, 1.0, 0.0};
    EXPECT_TRUE(scene.occluded(bottom, up, kFar));
    const double side[3] = {-1.0, 1.0, 0.0};  // light from +x reaches the far side
    const double towardsPlusX[3] = {1.0, 0.0, 0.0};
    EXPECT_TRUE(scene.occluded(side, towardsPlusX, kFar));
}

TEST(RayScene, OccluderBeyondTheLightCastsNoShadow) {
    const standin::RayScene scene = sphereOnGround();
    const double towardsSphere[3] = {0.0, 0.0, 1.0};
    const double beside[3] = {1.5, 1.0, -3.0};
    EXPECT_FALSE(scene.occluded(beside, towardsSphere, kFar));  // passes beside the sphere
    const double low[3] = {0.0, 1.0, -3.0};
    EXPECT_TRUE(scene.occluded(low, towardsSphere, kFar));
    EXPECT_FALSE(scene.occluded(low, towardsSphere, 1.5));  // the light is nearer than it
}

TEST(RayScene, OcclusionTestReadsTheScene) {
    const standin::RayScene scene = sphereOnGround();
    const standin::OcclusionTest test = scene.occlusionTest();
    const double low[3] = {0.0, 1.0, -3.0};
    const double towardsSphere[3] = {0.0, 0.0, 1.0};
    EXPECT_TRUE(test(low, towardsSphere, kFar));
}

}  // namespace
