// Models read from OBJ text: faces of any size split as an object file's, the file's
// normals or crease-angle normals, and every kind of bad file refused with a message
// naming it.
#include "models/obj_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "models/lwo_import.h"
#include "models/lwo_writer.h"
#include "models/polygon_shapes.h"

namespace {

namespace lwo = models::lwo_writer;

using namespace std::string_literals;
using models::importObjText;

// A unit cube of six quads, without normals.
const std::string kCube =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
    "f 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\nf 4 8 7 3\nf 1 5 8 4\nf 2 3 7 6\n";

double normalY(const models::Point3f& n) { return n[1]; }

TEST(ObjImport, FacesOfAnySizeBecomeTriangles) {
    const auto cube = importObjText(kCube, "cube.obj", 60.0);
    ASSERT_TRUE(cube) << cube.error();
    EXPECT_EQ(cube->mesh.triangleCount(), 12u);
    const auto pentagon = importObjText(
        "v 0 0 0\nv 1 0 0\nv 1.5 1 0\nv 0.5 2 0\nv -0.5 1 0\nf 1 2 3 4 5\n", "p.obj", 60.0);
    ASSERT_TRUE(pentagon) << pentagon.error();
    EXPECT_EQ(pentagon->mesh.triangleCount(), 3u);
}

TEST(ObjImport, CreaseAngleKeepsTheCubesEdgesHard) {
    const auto hard = importObjText(kCube, "cube.obj", 60.0);
    ASSERT_TRUE(hard);
    for (const auto& corners : hard->mesh.cornerNormals) {
        for (const auto& n : corners) {
            // Every corner normal is a face normal: one axis, unit length.
            const double largest = std::max({std::abs(n[0]), std::abs(n[1]), std::abs(n[2])});
            EXPECT_NEAR(largest, 1.0, 1e-6);
        }
    }
    const auto smooth = importObjText(kCube, "cube.obj", 100.0);
    ASSERT_TRUE(smooth);
    // At the corner (0, 0, 0), where three faces meet, each with one triangle of half its
    // area around it.
    const auto& triangles = smooth->mesh.triangles;
    const auto at = std::find_if(triangles.begin(), triangles.end(), [](const auto& t) {
        return std::find(t.begin(), t.end(), 0u) != t.end();
    });
    ASSERT_NE(at, triangles.end());
    const auto corner = std::size_t(std::find(at->begin(), at->end(), 0u) - at->begin());
    const auto& n = smooth->mesh.cornerNormals[std::size_t(at - triangles.begin())][corner];
    EXPECT_NEAR(std::abs(n[0]), 1.0 / std::sqrt(3.0), 1e-5);
    EXPECT_NEAR(std::abs(n[1]), 1.0 / std::sqrt(3.0), 1e-5);
}

TEST(ObjImport, NormalsOfTheFileAreKept) {
    const auto model = importObjText(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 2\nvn 0 1 0\nf 1//1 2//1 3//2\n", "n.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_NEAR(model->mesh.cornerNormals[0][0][2], 1.0, 1e-6);  // made unit length
    EXPECT_NEAR(normalY(model->mesh.cornerNormals[0][2]), 1.0, 1e-6);
}

TEST(ObjImport, DegenerateTrianglesAreLeftOutAndCounted) {
    const auto model = importObjText(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 2 0 0\nf 1 2 3\nf 1 2 4\nf 1 1 3\n", "d.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_EQ(model->mesh.triangleCount(), 1u);
    EXPECT_EQ(model->degenerateTriangles, 2u);
}

struct BadObj {
    const char* name;
    std::string text;
    const char* message;
};

const BadObj kBadObjs[] = {
    {"Empty", "", "bad.obj is not a model: it has no faces"},
    {"NotObj", "Hello, this is a letter.\nDear reader,\n",
     "bad.obj is not a model: it has no faces"},
    {"OnlyVertices", "v 0 0 0\nv 1 0 0\nv 0 1 0\n", "it has no faces"},
    {"IndexOutOfRange", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n",
     "bad.obj, line 4: face corner 3 uses vertex 9, but the file has only 3 vertices"},
    {"IndexPastTheIntegerRange", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4294967299\n",
     "line 4: face corner 3 uses vertex 4294967299, but the file has only 3 vertices"},
    {"NegativeIndexCountsBackFromItsLine", "v 0 0 0\nv 1 0 0\nf -1 -2 -3\nv 0 1 0\n",
     "bad.obj, line 3: face corner 3 uses vertex -3, but only 2 vertices precede it"},
    {"ZeroIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n",
     "line 4: face corner 1 is \"0\": its vertex index is 0, but indices count from 1"},
    {"NotAnIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 x\n",
     "line 4: face corner 3 is \"x\": its vertex index is not a whole number"},
    {"CornerOfFourParts", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3/1/1/1\n",
     "face corner 3 is \"3/1/1/1\", not of the form v, v/vt, v//vn or v/vt/vn"},
    {"CoordinateBeyondTheUsableRange", "v 0 0 0\nv 1e301 0 0\nv 0 1 0\nf 1 2 3\n",
     "line 2: \"1e301\" is beyond 1e300"},
    {"InfiniteCoordinate", "v 0 0 0\nv 1e999 0 0\nv 0 1 0\nf 1 2 3\n",
     "bad.obj, line 2: \"1e999\" is not a finite number; a vertex needs three finite "
     "coordinates"},
    {"NotANumberAfterEveryKindOfLineEnd", "v 0 0 0\r\n# a comment\rv 1 nan 0\nv 0 1 0\nf 1 2 3\n",
     "line 3: \"nan\" is not a finite number"},
    {"WordForACoordinateWithCarriageReturns", "v 0 0 0\rv 1 0 zz\rv 0 1 0\rf 1 2 3\r",
     "line 2: \"zz\" is not a number"},
    {"MissingCoordinate", "v 0 0 0\nv 1 0\nv 0 1 0\nf 1 2 3\n",
     "line 2: the line gives 2 numbers; a vertex needs three"},
    {"NormalNotANumber", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 zz 1\nf 1 2 3\n",
     "line 4: \"zz\" is not a number; a normal needs three finite numbers"},
    {"TextureCoordinateNotANumber", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.5 inf\nf 1/1 2/1 3/1\n",
     "line 4: \"inf\" is not a finite number; a texture coordinate needs one or two"},
    {"AllDegenerate", "v 0 0 0\nv 1 0 0\nv 2 0 0\nf 1 2 3\n",
     "none of its 1 triangles has any area"},
    {"TooSmallToPlace", "v 0 0 0\nv 1e-301 0 0\nv 0 1e-301 0\nf 1 2 3\n",
     "bad.obj is too small to place: it measures 1e-301 across, less than 1e-300"},
    {"BinaryFromItsFirstBytes", "\x01\x02\x03\x04v 0 0 0\n",
     "bad.obj is not an OBJ model: it is not a text file"},
    {"NulByteAfterTheFirstBytes", "v 0 0 0\n" + std::string(600, ' ') + "\nf 1 1 1\0"s,
     "bad.obj, line 3: a NUL byte, which no text file holds"},
};

class BadObjFile : public ::testing::TestWithParam<BadObj> {};

TEST_P(BadObjFile, IsRefusedWithAMessageNamingIt) {
    const auto model = importObjText(GetParam().text, "bad.obj", 60.0);
    ASSERT_FALSE(model);
    EXPECT_NE(model.error().find(GetParam().message), std::string::npos) << model.error();
}

INSTANTIATE_TEST_SUITE_P(ObjImport, BadObjFile, ::testing::ValuesIn(kBadObjs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ObjImport, MessagesShowAShortEscapedExcerptOfTheLine) {
    const std::string line = std::string(2'000'000, '7') + "\x1b[31m";
    const auto model = importObjText("v 0 0 0\nv " + line + " 0 0\n", "bad.obj", 60.0);
    ASSERT_FALSE(model);
    EXPECT_LT(model.error().size(), 200u) << model.error();
    EXPECT_NE(model.error().find("\"" + std::string(40, '7') + "\"... is not a number"),
              std::string::npos);
    const auto control = importObjText("v 0 0 0\nv 1\x1b[2J 0 0\n", "bad.obj", 60.0);
    ASSERT_FALSE(control);
    EXPECT_NE(control.error().find("\"1\\x1b[2J\""), std::string::npos) << control.error();
}

TEST(ObjImport, BrokenReferencesAreWarnedOnceEachWithACount) {
    const auto model = importObjText(
        "v 0 0 0\r\nv 1 0 0\rv 0 1 0\nvn 0 1 0\r\nvn 0 0 0\rvt 0 0\n"
        "f 1//1 2//1 3//5\nf 1/1/1 2/7/1 3/9/1\nf 1/1/1 2/1/1 3/1/2\nf 1 2\n",
        "m.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    EXPECT_EQ(model->warnings,
              (std::vector<std::string>{
                  "m.obj: 1 face of fewer than three corners left out (the first on line 10)",
                  "m.obj: 2 face corners use a normal the file does not give, or one of no "
                  "length (the first on line 7): their triangles get computed normals",
                  "m.obj: 2 face corners use texture coordinates the file does not give (the "
                  "first on line 8)",
                  "m.obj: 5 face corners have no texture coordinates while others have (the "
                  "first on line 7): they take (0, 0)"}));
    // The first and last triangles fall back to the computed normal, the second keeps the
    // file's.
    EXPECT_NEAR(model->mesh.cornerNormals[0][0][2], 1.0, 1e-6);
    EXPECT_NEAR(normalY(model->mesh.cornerNormals[1][0]), 1.0, 1e-6);
    EXPECT_NEAR(model->mesh.cornerNormals[2][0][2], 1.0, 1e-6);
}

TEST(ObjImport, TextureCoordinatesFollowTheTrianglesKept) {
    // The first face has no area and is left out; w and a missing v are passed over; the
    // quad's two triangles take the coordinates of the corners they are made of.
    const auto model = importObjText(
        "v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\nv 2 1 0\nvt 0.25 0.5 0.75\nvt 3\nvt -1 2\n"
        "f 1/1 2/2 3/3\nf 1/3 2 4/2\nf 2/1 3/2 5/3 4/1\n",
        "t.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    using Corners = std::array<models::Point2f, 3>;
    ASSERT_EQ(model->mesh.triangleCount(), 3u);
    EXPECT_EQ(model->mesh.cornerTexcoords,
              (std::vector<Corners>{{{{-1.0f, 2.0f}, {0.0f, 0.0f}, {3.0f, 0.0f}}},
                                    {{{0.25f, 0.5f}, {0.25f, 0.5f}, {3.0f, 0.0f}}},
                                    {{{0.25f, 0.5f}, {3.0f, 0.0f}, {-1.0f, 2.0f}}}}));
    const auto untextured = importObjText(kCube, "cube.obj", 60.0);
    ASSERT_TRUE(untextured);
    EXPECT_TRUE(untextured->mesh.cornerTexcoords.empty());
}

// Only u and v are read into the coordinate: w is never used, so not even a w beyond what
// a coordinate may hold refuses the line.
TEST(ObjImport, ATextureCoordinatesWIsPassedOverUnread) {
    const auto model = importObjText(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.5 1e400 junk\n"
        "f 1/1 2/1 3/1\n",
        "w.obj", 60.0);
    ASSERT_TRUE(model) << model.error();
    ASSERT_EQ(model->mesh.cornerTexcoords.size(), 1u);
    EXPECT_EQ(model->mesh.cornerTexcoords[0][2][0], 0.25f);
    EXPECT_EQ(model->mesh.cornerTexcoords[0][2][1], 0.5f);
}

// Concave faces are split inside themselves, as an object file's polygons are (a fan from
// the first corner would cover the notch of the U and leave part of it bare), also when
// they are too large for ear clipping and when their edges cross (fanned, with a warning).
std::vector<models::PlanePoint> uShape() {
    return {{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 0}};
}

std::string objFace(const std::vector<models::PlanePoint>& corners) {
    std::string text, face = "f";
    for (std::size_t i = 0; i < corners.size(); ++i) {
        text += "v " + std::to_string(corners[i].x) + " " + std::to_string(corners[i].y) + " 0\n";
        face += " " + std::to_string(i + 1);
    }
    return text + face + "\nf 1 2 3\n";  // the face after a large one is read too
}

std::string lwobFace(const std::vector<models::PlanePoint>& corners) {
    std::vector<lwo::Point> points;
    lwo::Polygon face;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        points.push_back({float(corners[i].x), float(corners[i].y), 0.0f});
        face.push_back(static_cast<std::uint32_t>(i));
    }
    return lwo::form("LWOB",
                     lwo::points(points) + lwo::chunk("SRFS", lwo::s0("Default")) +
                         lwo::chunk("POLS", lwo::lwobPolygon(face) + lwo::lwobPolygon({0, 1, 2})));
}

TEST(ObjImport, ConcaveFacesAreSplitAsAnObjectFilesPolygonsAre) {
    const struct {
        const char* name;
        std::vector<models::PlanePoint> corners;
        long crossed;  // 1 when the face's edges cross
    } faces[] = {
        {"U", uShape(), 0},
        {"CombOf1001Corners", models::polygon_shapes::comb(333), 0},
        {"CombOf3002Corners", models::polygon_shapes::comb(1000), 0},
        {"EdgesCrossing", {{3, 1}, {4, 4}, {1, 0}, {4, 2}, {5, 2}}, 1},
    };
    for (const auto& [name, corners, crossed] : faces) {
        const auto obj = importObjText(objFace(corners), "face.obj", 60.0);
        const auto lwo = models::importLwo(lwobFace(corners), "face.lwo", 60.0);
        ASSERT_TRUE(obj && lwo) << name;
        EXPECT_EQ(obj->mesh.triangles, lwo->mesh.triangles) << name;
        const std::string crossing =
            "face.obj: 1 face whose edges cross in their plane split as fans from their first "
            "corner (the first on line 6)";
        EXPECT_EQ(std::count(obj->warnings.begin(), obj->warnings.end(), crossing), crossed)
            << name;
    }
    const auto u = importObjText(objFace(uShape()), "u.obj", 60.0);
    ASSERT_TRUE(u);
    ASSERT_EQ(u->mesh.triangleCount(), 7u);
    for (const auto& t : u->mesh.triangles) {
        double x = 0, y = 0;  // the centre, in the file's units
        for (const auto v : t) {
            x += (u->mesh.positions[v][0] * u->frame.unit + u->frame.origin[0]) / 3;
            y += (u->mesh.positions[v][1] * u->frame.unit + u->frame.origin[1]) / 3;
        }
        EXPECT_FALSE(x > 1 && x < 2 && y > 1) << "a triangle in the notch";
    }
}

}  // namespace
