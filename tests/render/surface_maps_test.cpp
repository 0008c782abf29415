// Maps on the preview's subject: where a hit lies in the map (a mesh's own coordinates,
// the sphere's longitude and latitude), the inputs sampled there, and a mesh without
// coordinates refused a map.
#include <gtest/gtest.h>

#include <memory>

#include "render/preview_scene.h"

namespace {

using render::SurfaceInput;

// A map of one grey texel: the same value everywhere.
std::shared_ptr<const render::TextureMap> uniform(float value) {
    return std::make_shared<const render::TextureMap>(
        render::TextureMap::create(1, 1, 1, {value}).value());
}

models::TriangleMesh triangle() {
    models::TriangleMesh mesh;
    mesh.positions = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}};
    mesh.triangles = {{0, 1, 2}};
    mesh.cornerNormals = {{models::Point3f{0, 0, -1}, {0, 0, -1}, {0, 0, -1}}};
    return mesh;
}

render::RayHit hitAt(const base::Triple& position, int primitive = 0, float u = 0.0f,
                     float v = 0.0f) {
    render::RayHit hit;
    hit.position = position;
    hit.primitive = primitive;
    hit.u = u;
    hit.v = v;
    return hit;
}

TEST(SurfaceMaps, TheSphereIsMappedByLongitudeAndLatitude) {
    render::SceneSettings settings;
    settings.subject = render::SubjectKind::Sphere;
    auto scene = render::PreviewScene::create(settings);
    ASSERT_TRUE(scene) << scene.error();
    const auto front = scene.value()->texcoordAt(hitAt({0.0, 1.0, -1.0}));  // facing the camera
    const auto right = scene.value()->texcoordAt(hitAt({1.0, 1.0, 0.0}));
    const auto top = scene.value()->texcoordAt(hitAt({0.0, 2.0, 0.0}));
    ASSERT_TRUE(front && right && top);
    EXPECT_NEAR((*front)[0], 0.5, 1e-12);
    EXPECT_NEAR((*front)[1], 0.5, 1e-12);
    EXPECT_NEAR((*right)[0], 0.75, 1e-12);
    EXPECT_NEAR((*top)[1], 1.0, 1e-12);
}

TEST(SurfaceMaps, AMeshTakesItsCornersCoordinatesAndItsMapsThere) {
    models::TriangleMesh mesh = triangle();
    mesh.cornerTexcoords = {{models::Point2f{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 4.0f}}};
    render::SceneSettings settings;
    settings.surface.luminous = 0.3;
    settings.surface.maps.of(SurfaceInput::Diffuse) = uniform(0.25f);
    settings.surface.maps.of(SurfaceInput::Roughness) = uniform(0.0f);
    auto scene = render::PreviewScene::withMesh(settings, mesh);
    ASSERT_TRUE(scene) << scene.error();
    const render::RayHit hit = hitAt({}, 0, 0.5f, 0.25f);
    const auto uv = scene.value()->texcoordAt(hit);
    ASSERT_TRUE(uv);
    EXPECT_NEAR((*uv)[0], 0.5, 1e-6);
    EXPECT_NEAR((*uv)[1], 1.0, 1e-6);
    const render::SurfaceInputs at = scene.value()->surfaceAt(hit);
    EXPECT_EQ(at.diffuse, 0.25);
    EXPECT_EQ(at.roughness, render::kLeastMappedRoughness);  // never 0
    EXPECT_EQ(at.luminous, 0.3);                             // no map: the constant
    EXPECT_FALSE(at.maps.firstMapped());
}

TEST(SurfaceMaps, AMeshWithoutCoordinatesIsRefusedAMap) {
    render::SceneSettings settings;
    settings.subject = render::SubjectKind::Mesh;
    settings.meshName = "plain.obj";
    settings.surface.maps.of(SurfaceInput::Luminous) = uniform(1.0f);
    auto scene = render::PreviewScene::withMesh(settings, triangle());
    ASSERT_FALSE(scene);
    EXPECT_EQ(scene.error(),
              "plain.obj has no texture coordinates (an OBJ model gives them in vt lines and its "
              "faces' v/vt corners, an object file in a TXUV map), so the map for luminous "
              "cannot be placed on it");
}

}  // namespace
