// Polygons split into triangles: convex, concave, wound either way, in a tilted plane,
// with corners on a straight edge, around a hole joined by a seam, and with many corners.
// Each is covered exactly: n - 2 triangles wound as the polygon, inside it, whose areas add
// up to its own.
#include "render/polygon_triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

using Corners = std::vector<std::array<double, 3>>;
using standin::CornerTriangle;

struct Flat {
    double x, y;
};

// Twice the signed area of a polygon in the plane z = 0.
double area2(const std::vector<Flat>& p) {
    double sum = 0.0;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        sum += p[j].x * p[i].y - p[i].x * p[j].y;
    }
    return sum;
}

// Even-odd: a seam run both ways crosses twice and counts for nothing.
bool inside(const std::vector<Flat>& p, Flat q) {
    bool in = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > q.y) != (p[j].y > q.y) &&
            q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x) {
            in = !in;
        }
    }
    return in;
}

std::vector<Flat> lShape() { return {{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}}; }

std::vector<Flat> star(int points) {
    std::vector<Flat> p;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -std::numbers::pi * i / points;  // clockwise
        const double radius = i % 2 == 0 ? 1.0 : 0.3;
        p.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return p;
}

// Teeth of height 1 along x, the spine below: most corners at the teeth's feet are reflex.
std::vector<Flat> comb(int teeth) {
    std::vector<Flat> p{{0, -1}};
    for (int t = 0; t < teeth; ++t) {
        p.push_back({2.0 * t, 0});
        p.push_back({2.0 * t + 0.5, 1});
        p.push_back({2.0 * t + 1.0, 0});
    }
    p.push_back({2.0 * teeth, -1});
    return p;
}

// A band wound in a spiral, out along one side and back along the other: half its corners
// are reflex, and many lie close to each other.
std::vector<Flat> spiral(int corners) {
    std::vector<Flat> p;
    for (int i = 0; i < corners / 2; ++i) {
        const double a = 0.02 * i, r = 1 + 0.002 * i;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (int i = corners / 2 - 1; i >= 0; --i) {
        const double a = 0.02 * i, r = 1.001 + 0.002 * i;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return p;
}

// A square with a square hole, joined to it by a seam from (0, 0) to (1, 1) and back.
std::vector<Flat> squareWithHole() {
    return {{0, 0}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 1}, {0, 0}, {0, 3}, {3, 3}, {3, 0}};
}

std::vector<Flat> reversed(std::vector<Flat> p) { return {p.rbegin(), p.rend()}; }

struct Shape {
    const char* name;
    std::vector<Flat> corners;
    bool tilted;     // turned into a plane through every axis
    int facing = 2;  // else the axis it faces: in the plane of the other two, in their order
};

const Shape kShapes[] = {
    {"Square", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, false},
    {"LShape", lShape(), false},
    {"LShapeWoundTheOtherWay", reversed(lShape()), false},
    {"StarFacingX", star(5), false, 0},
    {"StarLyingDown", star(5), false, 1},
    {"Star", star(5), false},
    {"StarInATiltedPlane", star(7), true},
    {"CornersOnAStraightEdge", {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 0}, {1, 0}}, false},
    {"SquareWithAHole", squareWithHole(), false},
    {"CombOf1022Corners", comb(340), true},
    {"SpiralOf1022Corners", spiral(1022), false},
};

// Into 3D: in the plane facing one axis (z = 0 as given), or turned about two axes.
std::array<double, 3> placed(Flat p, bool tilted, int facing) {
    if (facing == 0) return {0.0, p.x, p.y};
    if (facing == 1) return {p.y, 0.0, p.x};
    if (!tilted) return {p.x, p.y, 0.0};
    const double a = 0.7, b = 1.1;
    const double y = p.y * std::cos(a), z = p.y * std::sin(a);
    return {p.x * std::cos(b) + z * std::sin(b), y, -p.x * std::sin(b) + z * std::cos(b)};
}

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.name; }

class Triangulated : public ::testing::TestWithParam<Shape> {};

TEST_P(Triangulated, CoversThePolygonExactlyInItsWinding) {
    const std::vector<Flat>& flat = GetParam().corners;
    Corners corners;
    for (const Flat& p : flat) corners.push_back(placed(p, GetParam().tilted, GetParam().facing));
    std::vector<CornerTriangle> triangles;
    standin::PolygonTriangulation triangulation;
    ASSERT_TRUE(triangulation.split(corners, triangles));
    ASSERT_EQ(triangles.size(), flat.size() - 2);
    const double polygonArea = area2(flat);
    double sum = 0.0;
    for (const CornerTriangle& t : triangles) {
        const std::vector<Flat> triangle{flat[t[0]], flat[t[1]], flat[t[2]]};
        const double area = area2(triangle);
        EXPECT_GE(area * polygonArea, -1e-12) << "a triangle wound against the polygon";
        const Flat centre{(triangle[0].x + triangle[1].x + triangle[2].x) / 3,
                          (triangle[0].y + triangle[1].y + triangle[2].y) / 3};
        if (std::abs(area) > 1e-12) {
            EXPECT_TRUE(inside(flat, centre));
        }
        sum += area;
    }
    EXPECT_NEAR(sum, polygonArea, 1e-9 * std::abs(polygonArea));
}

INSTANTIATE_TEST_SUITE_P(PolygonTriangulation, Triangulated, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PolygonTriangulation, PolygonWithoutEarsIsFannedAndSaidToBeNotSimple) {
    // Its edges cross: every convex corner's triangle holds another corner.
    const Corners crossed{{3, 1, 0}, {4, 4, 0}, {1, 0, 0}, {4, 2, 0}, {5, 2, 0}};
    std::vector<CornerTriangle> triangles;
    standin::PolygonTriangulation triangulation;
    EXPECT_FALSE(triangulation.split(crossed, triangles));
    EXPECT_EQ(triangles, (std::vector<CornerTriangle>{{0, 1, 2}, {0, 2, 3}, {0, 3, 4}}));
}

}  // namespace
