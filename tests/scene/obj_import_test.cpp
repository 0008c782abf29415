// Models read from OBJ text: faces of any size, the file's normals or crease-angle
// normals, and every kind of bad file refused with a message naming it.
#include "render/obj_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using standin::importObjText;

// A unit cube of six quads, without normals.
const std::string kCube =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
    "f 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\nf 4 8 7 3\nf 1 5 8 4\nf 2 3 7 6\n";

double normalY(const standin::Point3f& n) { return n[1]; }

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
    const auto& n = smooth->mesh.cornerNormals[0][0];  // a corner where three faces meet
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
     "bad.obj is damaged: a face of \"\" uses vertex 9 but the file has 3 vertices"},
    {"NegativeIndexOutOfRange", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf -1 -2 -7\n", "uses vertex"},
    {"ZeroIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", "bad.obj cannot be read as an OBJ model"},
    {"CoordinateBeyondSinglePrecision", "v 0 0 0\nv 1e300 0 0\nv 0 1 0\nf 1 2 3\n",
     "a vertex has a coordinate that is not a finite number"},
    {"InfiniteCoordinate", "v 0 0 0\nv 1e999 0 0\nv 0 1 0\nf 1 2 3\n",
     "bad.obj is damaged: line 2 gives a vertex without three finite coordinates"},
    {"NotANumberCoordinate", "v 0 0 0\n# a comment\nv 1 nan 0\nv 0 1 0\nf 1 2 3\n",
     "line 3 gives a vertex without three finite coordinates"},
    {"WordForACoordinate", "v 0 0 0\nv 1 0 zz\nv 0 1 0\nf 1 2 3\n",
     "line 2 gives a vertex without three finite coordinates"},
    {"MissingCoordinate", "v 0 0 0\nv 1 0\nv 0 1 0\nf 1 2 3\n",
     "line 2 gives a vertex without three finite coordinates"},
    {"AllDegenerate", "v 0 0 0\nv 1 0 0\nv 2 0 0\nf 1 2 3\n",
     "none of its 1 triangles has any area"},
};

class BadObjFile : public ::testing::TestWithParam<BadObj> {};

TEST_P(BadObjFile, IsRefusedWithAMessageNamingIt) {
    const auto model = importObjText(GetParam().text, "bad.obj", 60.0);
    ASSERT_FALSE(model);
    EXPECT_NE(model.error().find(GetParam().message), std::string::npos) << model.error();
}

INSTANTIATE_TEST_SUITE_P(ObjImport, BadObjFile, ::testing::ValuesIn(kBadObjs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ObjImport, MissingOrBinaryFileIsRefusedByName) {
    const auto missing = standin::importObjFile("/nonexistent/model.obj", 60.0);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("/nonexistent/model.obj"), std::string::npos);
}

}  // namespace
