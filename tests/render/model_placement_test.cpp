// Models read from files and placed in the preview scene: any size, anywhere, gives
// finite positions and a camera that sees the model, and the shader is handed positions
// in the file's own units; a flat model is seen whole above the floor.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "models/obj_import.h"
#include "render/mesh_placement.h"
#include "render/preview_scene.h"

namespace {

// Upright triangles whose box's centre, where the camera looks, lies on them.
struct FarTriangle {
    const char* name;
    const char* text;
    base::Triple center;  // of the triangle's box, in the file's units
    double size;
};

const FarTriangle kTriangles[] = {
    {"DenormalSize",
     "v 0 0 0\nv 2e-40 0 0\nv 1e-40 2e-40 0\nf 1 2 3\n",
     {1e-40, 1e-40, 0.0},
     2e-40},
    {"FarOut",
     "v 1e30 0 0\nv 1.00000000002e30 0 0\nv 1.00000000001e30 2e19 0\nf 1 2 3\n",
     {1.00000000001e30, 1e19, 0.0},
     2e19},
    {"Huge", "v -1e299 0 0\nv 1e299 0 0\nv 0 2e299 0\nf 1 2 3\n", {0.0, 1e299, 0.0}, 2e299},
};

class PlacedTriangle : public ::testing::TestWithParam<FarTriangle> {};

// The ray through the middle of the picture hits the triangle where the camera looks, and
// the shader is handed that point in the file's units.
TEST_P(PlacedTriangle, IsSeenByTheCameraAndMapsBackToTheFile) {
    const auto model = models::importObjText(GetParam().text, "t.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    auto scene = render::PreviewScene::withMesh(render::SceneSettings{}, model->mesh, model->frame);
    ASSERT_TRUE(scene) << scene.error();
    const render::CameraRay ray = scene.value()->camera(64, 48).ray(32.0, 24.0);
    const auto hit = scene.value()->objects().nearestHit(ray.origin, ray.direction, 1e9);
    ASSERT_TRUE(hit);
    ASSERT_TRUE(scene.value()->isSubject(*hit));
    const base::Triple object = scene.value()->placement().toObject(hit->position);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(object[axis], GetParam().center[axis], 1e-3 * GetParam().size) << axis;
    }
}

INSTANTIATE_TEST_SUITE_P(ModelPlacement, PlacedTriangle, ::testing::ValuesIn(kTriangles),
                         [](const auto& info) { return std::string(info.param.name); });

// A torus of radius 2 around `center`, in quads, as an OBJ file writes it.
std::string torus(const base::Triple& center) {
    constexpr int kAround = 48, kTube = 16;
    std::string text;
    char line[128];
    for (int i = 0; i < kAround; ++i) {
        const double u = 2.0 * std::numbers::pi * i / kAround;
        for (int j = 0; j < kTube; ++j) {
            const double v = 2.0 * std::numbers::pi * j / kTube;
            const double r = 2.0 + 0.7 * std::cos(v);
            std::snprintf(line, sizeof line, "v %.9f %.9f %.9f\n", center[0] + r * std::cos(u),
                          center[1] + 0.7 * std::sin(v), center[2] + r * std::sin(u));
            text += line;
        }
    }
    for (int i = 0; i < kAround; ++i) {
        for (int j = 0; j < kTube; ++j) {
            const int a = i * kTube + j + 1, b = (i + 1) % kAround * kTube + j + 1;
            const int c = (i + 1) % kAround * kTube + (j + 1) % kTube + 1;
            const int d = i * kTube + (j + 1) % kTube + 1;
            std::snprintf(line, sizeof line, "f %d %d %d %d\n", a, b, c, d);
            text += line;
        }
    }
    return text;
}

TEST(ModelPlacement, ModelFarFromItsOriginIsPlacedAsAtTheOrigin) {
    const base::Triple far{5e6, 0.0, 3e6};
    const auto atOrigin = models::importObjText(torus({0.0, 0.0, 0.0}), "near.obj", 60.0);
    const auto farAway = models::importObjText(torus(far), "far.obj", 60.0);
    ASSERT_TRUE(atOrigin && farAway);
    EXPECT_EQ(farAway->degenerateTriangles, 0u);
    EXPECT_EQ(farAway->mesh.triangles, atOrigin->mesh.triangles);
    const auto near = render::placeOnFloor(atOrigin->mesh, atOrigin->frame);
    const auto placed = render::placeOnFloor(farAway->mesh, farAway->frame);
    ASSERT_TRUE(near && placed);
    for (std::size_t v = 0; v < near->mesh.positions.size(); ++v) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            ASSERT_NEAR(placed->mesh.positions[v][axis], near->mesh.positions[v][axis], 1e-6);
        }
    }
    // The shader sees the far model where its file puts it.
    const base::Triple back = placed->placement.toObject({0.0, 0.0, 0.0});
    const base::Triple nearBack = near->placement.toObject({0.0, 0.0, 0.0});
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(back[axis] - far[axis], nearBack[axis], 1e-8);
    }
}

// A sheet laid flat, 16 x 16 quads from -1 to 1, seen from 60 degrees above: every ray that
// crosses its plane inside it (clear of its edges) meets the sheet, not the floor it stands
// on. Lying in the floor's own plane, about one pixel in twenty showed the floor.
TEST(ModelPlacement, AFlatModelIsSeenWholeAboveTheFloor) {
    constexpr int kSide = 16;
    std::string text;
    for (int row = 0; row <= kSide; ++row) {
        for (int column = 0; column <= kSide; ++column)
            text += "v " + std::to_string(-1.0 + 2.0 * column / kSide) + " 0 " +
                    std::to_string(-1.0 + 2.0 * row / kSide) + "\n";
    }
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const int a = row * (kSide + 1) + column + 1;
            text += "f " + std::to_string(a) + " " + std::to_string(a + kSide + 1) + " " +
                    std::to_string(a + kSide + 2) + " " + std::to_string(a + 1) + "\n";
        }
    }
    const auto model = models::importObjText(text, "sheet.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    auto scene = render::PreviewScene::withMesh(render::SceneSettings{}, model->mesh, model->frame);
    ASSERT_TRUE(scene) << scene.error();
    render::PreviewScene& preview = *scene.value();
    preview.setOrbit({0.0, 37.0, 1.0});
    const int width = 160, height = 120;
    const render::Camera camera = preview.camera(width, height);
    const render::Placement& placement = preview.placement();
    const double sheetHeight = placement.offset[1] - placement.origin[1] * placement.scale;
    int inside = 0, floorSeen = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const render::CameraRay ray = camera.ray(x + 0.5, y + 0.5);
            const double t = (sheetHeight - ray.origin[1]) / ray.direction[1];
            const base::Triple crossing = placement.toObject(ray.origin + ray.direction * t);
            if (t <= 0.0 || std::abs(crossing[0]) > 0.99 || std::abs(crossing[2]) > 0.99) continue;
            ++inside;
            const auto hit = preview.objects().nearestHit(ray.origin, ray.direction, 1e9);
            floorSeen += !(hit && preview.isSubject(*hit));
        }
    }
    EXPECT_GT(inside, width * height / 10);
    EXPECT_EQ(floorSeen, 0) << "of " << inside;
}

}  // namespace
