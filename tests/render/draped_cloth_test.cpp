// The default subject: a cloth of about 100,000 triangles hanging over its ball, above
// the floor, smooth-shaded with outward normals.
#include "render/draped_cloth.h"

#include <gtest/gtest.h>

#include "render/preview_scene.h"

namespace {

TEST(DrapedCloth, HasAboutAHundredThousandTriangles) {
    const models::TriangleMesh cloth = render::drapedCloth(render::kClothVerticesPerSide);
    EXPECT_GT(cloth.triangleCount(), 95000u);
    EXPECT_LT(cloth.triangleCount(), 105000u);
    EXPECT_EQ(cloth.cornerNormals.size(), cloth.triangleCount());
    EXPECT_EQ(cloth.cornerTexcoords.size(), cloth.triangleCount());
}

TEST(DrapedCloth, HangsAboveTheFloorWithNormalsFacingOut) {
    const models::TriangleMesh cloth = render::drapedCloth(60);
    const models::Bounds box = cloth.bounds();
    EXPECT_GT(box.low[1], 0.0f);
    EXPECT_LT(box.low[1], 0.3f);  // the corners come down close to the floor
    // Around the top the normals point up; on the skirt, away from the axis.
    for (std::size_t t = 0; t < cloth.triangleCount(); ++t) {
        const auto& p = cloth.positions[cloth.triangles[t][0]];
        const auto& n = cloth.cornerNormals[t][0];
        const float outward = p[0] * n[0] + p[2] * n[2] + (p[1] > 1.5f ? n[1] : 0.0f);
        EXPECT_GT(outward, 0.0f) << "triangle " << t;
    }
}

// Every corner of both triangles of a grid square takes its own vertex's place in the
// grid: vertex j × n + i at (i, j) / (n − 1).
TEST(DrapedCloth, EveryCornerHasItsVertexsGridTextureCoordinates) {
    constexpr int n = 7;
    const models::TriangleMesh cloth = render::drapedCloth(n);
    ASSERT_EQ(cloth.cornerTexcoords.size(), cloth.triangleCount());
    ASSERT_EQ(cloth.triangleCount(), 2u * (n - 1) * (n - 1));
    for (std::size_t t = 0; t < cloth.triangleCount(); ++t) {
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const std::uint32_t v = cloth.triangles[t][corner];
            const models::Point2f expected{static_cast<float>(v % n) / (n - 1),
                                           static_cast<float>(v / n) / (n - 1)};
            EXPECT_EQ(cloth.cornerTexcoords[t][corner], expected)
                << "triangle " << t << " corner " << corner;
        }
    }
}

TEST(PreviewScene, ModelIsScaledToStandOnTheFloorInTheMiddle) {
    models::TriangleMesh model;  // a triangle 2000 units up, 500 across, far off centre
    model.positions = {
        {1000.0f, 2000.0f, 300.0f}, {1500.0f, 2000.0f, 300.0f}, {1000.0f, 2250.0f, 400.0f}};
    model.triangles = {{0, 1, 2}};
    model.cornerNormals = {{models::Point3f{0, 0, -1}, {0, 0, -1}, {0, 0, -1}}};
    auto scene = render::PreviewScene::withMesh(render::SceneSettings{}, model);
    ASSERT_TRUE(scene) << scene.error();
    const render::Placement& placed = scene.value()->placement();
    // Scaled so its 500-unit side becomes the preview's size, the bottom just clear of y = 0.
    EXPECT_NEAR(placed.scale * 500.0, 2.6, 1e-9);
    EXPECT_NEAR(2000.0 * placed.scale + placed.offset[1], render::kFloorClearance, 1e-6);
    EXPECT_NEAR(1250.0 * placed.scale + placed.offset[0], 0.0, 1e-6);
    // The camera looks at it: the ray through the middle of the picture hits it.
    const render::Camera camera = scene.value()->camera(64, 48);
    const render::CameraRay ray = camera.ray(32.0, 24.0);
    const auto hit = scene.value()->objects().nearestHit(ray.origin, ray.direction, 1e9);
    ASSERT_TRUE(hit);
    EXPECT_TRUE(scene.value()->isSubject(*hit));
    const base::Triple object = placed.toObject(hit->position);
    EXPECT_NEAR(object[1], 2125.0, 130.0);  // back in the file's own units
}

}  // namespace
