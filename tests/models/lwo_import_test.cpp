// Models read from object files written here: both generations, layers, concave faces,
// the first texture map with its seams, what is skipped, the renderer's space kept, the
// reader picked by content, and every kind of damage refused with the chunk and its offset.
#include "models/lwo_import.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "common/lwo_cubes.h"
#include "models/lwo_writer.h"
#include "models/model_import.h"

namespace {

using namespace models::lwo_writer;
using lwo_cubes::lwo2Cube;
using lwo_cubes::lwobCube;
using models::importLwo;

// A square in z = 0 from (0, 0) to (2, 2), two points of it in a second layer.
std::string twoLayers() {
    return form("LWO2", layer(0) + points({{0, 0, 0}, {0, 2, 0}, {2, 2, 0}}) +
                            polygons("FACE", {{0, 1, 2}}) + layer(1) +
                            points({{9, 9, 9}, {0, 0, 0}, {2, 2, 0}, {2, 0, 0}}) +
                            polygons("FACE", {{1, 2, 3}}));
}

TEST(LwoImport, BothGenerationsGiveTheSameCube) {
    const auto lwo2 = importLwo(lwo2Cube(), "cube.lwo", 60.0);
    const auto lwob = importLwo(lwobCube(), "cube.lwo", 60.0);
    ASSERT_TRUE(lwo2) << lwo2.error();
    ASSERT_TRUE(lwob) << lwob.error();
    EXPECT_EQ(lwo2->mesh.triangleCount(), 12u);
    EXPECT_EQ(lwo2->mesh.positions, lwob->mesh.positions);
    EXPECT_EQ(lwo2->mesh.triangles, lwob->mesh.triangles);
    EXPECT_TRUE(lwo2->mesh.cornerTexcoords.empty());
    EXPECT_TRUE(lwo2->warnings.empty());
}

TEST(LwoImport, EachLayerCountsItsPointsFromItsOwnFirst) {
    const auto model = importLwo(twoLayers(), "layers.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    ASSERT_EQ(model->mesh.triangleCount(), 2u);
    // The point at (9, 9, 9) is used by no polygon and leaves the frame alone.
    EXPECT_EQ(model->mesh.positions.size(), 6u);
    EXPECT_EQ(model->frame.origin, (base::Triple{1.0, 1.0, 0.0}));
    EXPECT_EQ(model->frame.unit, 2.0);
    const auto& p = model->mesh.positions;
    const auto& second = model->mesh.triangles[1];
    EXPECT_EQ(p[second[0]], (models::Point3f{-0.5f, -0.5f, 0.0f}));
    EXPECT_EQ(p[second[1]], (models::Point3f{0.5f, 0.5f, 0.0f}));
    EXPECT_EQ(p[second[2]], (models::Point3f{0.5f, -0.5f, 0.0f}));
}

// The space is the renderer's, which is the preview's: a face running clockwise seen from
// -z faces -z, towards the preview's camera, and x stays to the right.
TEST(LwoImport, KeepsTheRenderersSpaceAndWinding) {
    const auto model = importLwo(
        form("LWO2", points({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}) + polygons("FACE", {{0, 1, 2}})),
        "t.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_NEAR(model->mesh.cornerNormals[0][0][2], -1.0, 1e-6);
    EXPECT_GT(model->mesh.positions[2][0], model->mesh.positions[0][0]);
}

TEST(LwoImport, ConcaveFaceIsSplitInsideItself) {
    // A U of eight corners, its notch from x = 1 to 2 and y = 1 up: a fan from its first
    // corner would cover the notch.
    const auto model = importLwo(form("LWO2", points({{0, 0, 0},
                                                      {0, 2, 0},
                                                      {1, 2, 0},
                                                      {1, 1, 0},
                                                      {2, 1, 0},
                                                      {2, 2, 0},
                                                      {3, 2, 0},
                                                      {3, 0, 0}}) +
                                                  polygons("FACE", {{0, 1, 2, 3, 4, 5, 6, 7}})),
                                 "u.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    ASSERT_EQ(model->mesh.triangleCount(), 6u);
    const models::ModelFrame& frame = model->frame;
    for (const auto& t : model->mesh.triangles) {
        double x = 0, y = 0;  // the centre, in the file's units
        for (const auto v : t) {
            x += (model->mesh.positions[v][0] * frame.unit + frame.origin[0]) / 3;
            y += (model->mesh.positions[v][1] * frame.unit + frame.origin[1]) / 3;
        }
        EXPECT_FALSE(x > 1 && x < 2 && y > 1) << "a triangle in the notch";
    }
}

TEST(LwoImport, TexcoordsComeFromTheFirstMapWithItsSeams) {
    const std::string file = form(
        "LWO2",
        points({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}) +
            polygons("FACE", {{0, 1, 2}, {0, 2, 3}}) +
            textureMap("VMAP", "uv", {{0, 0, 0.0f, 0.0f}, {1, 0, 0.0f, 1.0f}, {2, 0, 1.0f, 1.0f}}) +
            textureMap("VMAP", "other", {{3, 0, 5.0f, 5.0f}}) +
            textureMap("VMAD", "uv", {{0, 1, 0.5f, 0.25f}, {9, 0, 1, 1}}));
    const auto model = importLwo(file, "uv.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    using Corners = std::array<models::Point2f, 3>;
    EXPECT_EQ(
        model->mesh.cornerTexcoords,
        (std::vector<Corners>{{{{0, 0}, {0, 1}, {1, 1}}}, {{{0.5f, 0.25f}, {1, 1}, {0, 0}}}}));
    EXPECT_EQ(model->warnings,
              (std::vector<std::string>{
                  "uv.lwo: 1 polygon corner has no value in the texture map \"uv\", and (0, 0) "
                  "is used (the first in the POLS chunk at byte 68)",
                  "uv.lwo: 1 value of the texture map \"uv\" name points or polygons their layer "
                  "does not have: passed over"}));
}

// Named once each, the first four kinds by name.
TEST(LwoImport, WhatIsNotRenderedIsNamedOnce) {
    const std::vector<Point> square{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {2, 0, 0}};
    const std::string file =
        form("LWO2", points(square) + polygons("FACE", {{0, 1, 2, 3}, {0, 1}, {2, 3, 3}}) +
                         polygons("SUBD", {{0, 1, 2, 3}}) + polygons("CURV", {{0, 1}, {1, 2}}) +
                         polygons("BONE", {{0, 1}}) + polygons("MBAL", {{0}}) +
                         chunk("POLS", "XYZW\xff") + chunk("POLS", "XYZV"));
    const auto model = importLwo(file, "m.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_EQ(model->mesh.triangleCount(), 4u);
    EXPECT_EQ(model->warnings,
              (std::vector<std::string>{
                  "m.lwo: skipped 1 bone (BONE), 2 curves (CURV), 1 metaball (MBAL), 1 polygon "
                  "chunk of type \"XYZV\" and 1 other kind, which the preview does not render",
                  "m.lwo: subdivision is not applied: 1 patch (PTCH, SUBD) is shown as its cage",
                  "m.lwo: 1 polygon of fewer than three corners (points and lines) left out (the "
                  "first in the POLS chunk at byte 80)",
                  "m.lwo: 1 triangle without area left out (the first in the POLS chunk at byte "
                  "80)"}));
}

TEST(LwoImport, LwobDetailPolygonsAreFacesToo) {
    // A face with one detail polygon (surface -1, then a count of 1), and the curves chunk.
    const std::string polygons =
        u2(3) + u2(0) + u2(1) + u2(2) + u2(0xFFFF) + u2(1) + lwobPolygon({0, 2, 3});
    const auto model = importLwo(form("LWOB", points({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}) +
                                                  chunk("SRFS", s0("Default")) +
                                                  chunk("POLS", polygons) + chunk("CRVS", "x")),
                                 "d.lwo", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_EQ(model->mesh.triangleCount(), 2u);
    EXPECT_EQ(model->warnings, (std::vector<std::string>{"d.lwo: skipped 1 chunk of curves "
                                                         "(CRVS), which the preview does not "
                                                         "render"}));
}

TEST(ModelImport, TheReaderIsPickedByContentNotByName) {
    const auto lwo = models::importModel(lwo2Cube(), "cube.obj", 60.0);
    const auto obj = models::importModel("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "t.lwo", 60.0);
    ASSERT_TRUE(lwo) << lwo.error();
    ASSERT_TRUE(obj) << obj.error();
    EXPECT_EQ(lwo->mesh.triangleCount(), 12u);
    EXPECT_EQ(obj->mesh.triangleCount(), 1u);
}

struct BadLwo {
    const char* name;
    std::string file;
    const char* message;
};

const std::string kTriangle = points({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}});

const BadLwo kBadFiles[] = {
    {"NotAnIffFile", "LWO2", "bad.lwo is not an object file: it does not begin with FORM"},
    {"HeaderCutShort", "FORM" + u2(0),
     "bad.lwo is a damaged object file (FORM chunk at byte 0): the file ends after 6 bytes, "
     "within the 12 bytes of its header"},
    {"FormLongerThanTheFile", "FORM" + u4(1000) + "LWO2" + kTriangle,
     "(FORM chunk at byte 0): it says it holds 1000 bytes after its length, but the file has "
     "only 48 bytes"},
    {"LaterGeneration", form("LWO3", kTriangle),
     "bad.lwo is an LWO3 object file, of a later renderer version than the preview reads: save "
     "it as LWO2"},
    {"OtherFormType", form("ILBM", ""),
     "bad.lwo is an IFF file of form type \"ILBM\", not an "
     "object file"},
    {"ChunkLongerThanTheForm", form("LWO2", "PNTS" + u4(0xFFFFFFF0) + std::string(12, 'x')),
     "(PNTS chunk at byte 12): it says it holds 4294967280 bytes, but the form has only 12 "
     "bytes left"},
    {"ChunkHeaderCutShort", form("LWO2", kTriangle + "POL"),
     "(chunk at byte 56): its header needs 8 bytes, but the form ends after 3 bytes"},
    {"PartOfAPoint", form("LWO2", chunk("PNTS", std::string(13, 'x'))),
     "(PNTS chunk at byte 12): 13 bytes are not a whole number of points of 12 bytes"},
    {"PointNotFinite",
     form("LWO2", points({{0, 0, 0}, {0, std::numeric_limits<float>::infinity(), 0}})),
     "(PNTS chunk at byte 12): point 1 (counted from 0) is not at finite coordinates"},
    {"PointPastTheLayer", form("LWO2", kTriangle + polygons("FACE", {{0, 1, 3}})),
     "(POLS chunk at byte 56): polygon 1 uses point 3 (counted from 0), but its layer has only "
     "3 points"},
    {"PointOfTheLayerBefore", form("LWO2", kTriangle + layer(1) + polygons("FACE", {{0, 1, 2}})),
     "(POLS chunk at byte 86): polygon 1 uses point 0 (counted from 0), but its layer has no "
     "points"},
    {"CornersPastTheChunk", form("LWO2", kTriangle + chunk("POLS", "FACE" + u2(3) + u2(0))),
     "(POLS chunk at byte 56): polygon 1 says it has 3 corners, but the chunk ends after 1 of "
     "them"},
    {"MapNameWithoutEnd", form("LWO2", kTriangle + chunk("VMAP", "TXUV" + u2(2) + "uv")),
     "(VMAP chunk at byte 56): the map's name has no zero byte to end it within the chunk"},
    {"MapValueCutShort",
     form("LWO2", kTriangle + chunk("VMAP", "TXUV" + u2(2) + s0("uv") + vx(0) + f4(0.5f))),
     "(VMAP chunk at byte 56): value 1 runs past the chunk's end"},
    {"LwobDetailsMissing",
     form("LWOB", kTriangle + chunk("POLS", u2(3) + u2(0) + u2(1) + u2(2) + u2(0xFFFF) + u2(2))),
     "(POLS chunk at byte 56): it ends 2 detail polygons short of those its polygons announce"},
    {"OnlyCurves", form("LWO2", kTriangle + polygons("CURV", {{0, 1, 2}})),
     "bad.lwo is not a model the preview can show: it has no polygons of three or more corners, "
     "only 1 curve (CURV)"},
    {"NoArea",
     form("LWO2", points({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}) + polygons("FACE", {{0, 1, 2}})),
     "bad.lwo is not a usable model: none of its 1 triangles has any area"},
};

void PrintTo(const BadLwo& bad, std::ostream* out) { *out << bad.name; }

class BadLwoFile : public ::testing::TestWithParam<BadLwo> {};

TEST_P(BadLwoFile, IsRefusedNamingTheChunkAndItsOffset) {
    const auto model = importLwo(GetParam().file, "bad.lwo", 60.0);
    ASSERT_FALSE(model);
    EXPECT_NE(model.error().find(GetParam().message), std::string::npos) << model.error();
}

INSTANTIATE_TEST_SUITE_P(LwoImport, BadLwoFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// Two triangles folded 40 degrees along their shared edge (points 0 and 1): whether the
// edge is smoothed depends on their surfaces' smoothing angles, on --crease, and on whether
// they share a surface; each triangle keeps its polygon's surface.
TEST(LwoImport, EachSurfaceSmoothsWithItsOwnAngleAndNeverAcrossAnother) {
    const auto surface = [](std::string_view name, float degrees) {
        const float radians = degrees * 3.14159265f / 180.0f;
        std::string sman = "SMAN" + u2(4) + f4(radians);
        return chunk("SURF", s0(name) + s0("") + sman);
    };
    const float fold = 40.0f * 3.14159265f / 180.0f;
    const std::string geometry =
        layer(0) +
        points({{0, 0, 0}, {0, 1, 0}, {-1, 0.5f, 0}, {std::cos(fold), 0.5f, std::sin(fold)}}) +
        polygons("FACE", {{0, 1, 2}, {1, 0, 3}});
    const auto file = [&](std::uint32_t secondTag, float first, float second) {
        std::string ptag = "SURF" + u2(0) + u2(0) + u2(1) + u2(secondTag);
        return form("LWO2", geometry + chunk("TAGS", s0("A") + s0("B")) + chunk("PTAG", ptag) +
                                surface("A", first) + surface("B", second));
    };
    const struct {
        const char* name;
        std::string bytes;
        std::optional<double> crease;
        bool smooth;
        std::vector<std::uint32_t> surfaces;
    } cases[] = {
        {"OneSurfaceWithinItsAngle", file(0, 60, 0), std::nullopt, true, {0, 0}},
        {"OneSurfaceBeyondItsAngle", file(0, 30, 90), std::nullopt, false, {0, 0}},
        {"OneSurfaceWithoutAnAngle", file(0, 0, 90), std::nullopt, false, {0, 0}},
        {"CreaseGivenOverridesIt", file(0, 0, 0), 60.0, true, {0, 0}},
        {"TwoSurfacesBothWithinTheirAngles", file(1, 60, 60), std::nullopt, false, {0, 1}},
        {"TwoSurfacesWithACreaseGiven", file(1, 0, 0), 60.0, false, {0, 1}},
    };
    for (const auto& [name, bytes, crease, smooth, surfaces] : cases) {
        const auto model = importLwo(bytes, "fold.lwo", crease);
        ASSERT_TRUE(model) << name << ": " << model.error();
        EXPECT_EQ(model->mesh.triangleSurfaces, surfaces) << name;
        // The normal at point 0 in each triangle: the same when the edge is smoothed.
        const auto normalAt = [&](std::size_t t) {
            const auto& corners = model->mesh.triangles[t];
            const auto c = std::find(corners.begin(), corners.end(), 0u) - corners.begin();
            return model->mesh.cornerNormals[t][static_cast<std::size_t>(c)];
        };
        const auto a = normalAt(0), b = normalAt(1);
        const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
        EXPECT_EQ(std::abs(dot) > 0.9999, smooth) << name << ": " << dot;
    }
}
