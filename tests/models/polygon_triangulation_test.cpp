// Polygons split into triangles: convex, concave, wound either way, in a tilted plane,
// with corners on a straight edge, around holes joined by seams, with flat corners and
// spikes, and with many corners. Each is covered exactly: n - 2 triangles wound as the
// polygon, inside it, whose areas add up to its own. Every shape goes through the splitting
// the preview uses for its size (ear clipping up to 1,023 corners, the sweep above) and
// through the sweep itself, so that the sweep meets the small awkward shapes too.
#include "models/polygon_triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "models/polygon_shapes.h"

namespace {

using Corners = std::vector<std::array<double, 3>>;
using models::CornerTriangle;
using Flat = models::PlanePoint;
using namespace models::polygon_shapes;

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

// A square with a square hole, joined to it by a seam from (0, 0) to (1, 1) and back.
std::vector<Flat> squareWithHole() {
    return {{0, 0}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 1}, {0, 0}, {0, 3}, {3, 3}, {3, 0}};
}

// A square whose edges each run through many corners on a straight line, some of them
// twice in a row, with a spike (out and back along one line) in its top edge.
std::vector<Flat> straightEdgesAndDuplicates(int perEdge) {
    std::vector<Flat> p;
    const auto edge = [&](Flat from, Flat to) {
        for (int i = 0; i < perEdge; ++i) {
            const double t = double(i) / perEdge;
            p.push_back({from.x + t * (to.x - from.x), from.y + t * (to.y - from.y)});
            if (i % 7 == 3) p.push_back(p.back());
        }
    };
    edge({0, 0}, {1, 0});
    edge({1, 0}, {1, 1});
    p.insert(p.end(), {{1, 1}, {0.5, 1}, {0.5, 1.5}, {0.5, 1.2}, {0.5, 1}});
    edge({0.5, 1}, {0, 1});
    edge({0, 1}, {0, 0});
    return p;
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
    {"SquareWithAHoleWoundTheOtherWay", reversed(squareWithHole()), false},
    {"CombOf1022Corners", comb(340), true},
    {"SpiralOf1022Corners", spiral(1022), false},
    {"ZigZag", zigZag(6), false},
    // Ear clipping stops short on it: the sweep finishes it.
    {"StaircaseWithCornersGivenTwice",
     {{0, 0}, {0, 1}, {2, 1}, {2, 1}, {4, 1}, {4, 2}, {7, 2}, {7, 2}, {10, 2}, {10, 0}},
     false},
    {"CombOf3002Corners", comb(1000), true},
    {"CombUpsideDownOf3002Corners", upsideDown(comb(1000)), false},
    {"CombTurnedAnEighthOf3002Corners", turned(comb(1000), std::numbers::pi / 4), false},
    {"SpiralOf3000Corners", spiral(3000), false},
    {"ZigZagOf2002Corners", zigZag(500), false},
    {"ZigZagWoundTheOtherWay", reversed(zigZag(500)), true},
    {"StripWith200HolesJoinedBySeams", holes(200), false},
    {"StraightEdgesDuplicatesAndASpike", straightEdgesAndDuplicates(300), false},
    // Ear clipping is left with the spike: it has no area, but the triangles of a fan of it
    // would cover ground both ways.
    {"TriangleWithASpikeOutAndBack", {{1, 0}, {0, 0}, {0, 1}, {-1, 0}, {0, 1}}, false},
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

void expectCovered(const std::vector<Flat>& flat, const std::vector<CornerTriangle>& triangles) {
    ASSERT_EQ(triangles.size(), flat.size() - 2);
    const double polygonArea = area2(flat);
    double sum = 0.0;
    int outside = 0;
    for (const CornerTriangle& t : triangles) {
        const std::vector<Flat> triangle{flat[t[0]], flat[t[1]], flat[t[2]]};
        const double area = area2(triangle);
        EXPECT_GE(area * polygonArea, -1e-12) << "a triangle wound against the polygon";
        const Flat centre{(triangle[0].x + triangle[1].x + triangle[2].x) / 3,
                          (triangle[0].y + triangle[1].y + triangle[2].y) / 3};
        if (std::abs(area) > 1e-12 && !inside(flat, centre)) ++outside;
        sum += area;
    }
    EXPECT_EQ(outside, 0) << "triangles outside the polygon";
    EXPECT_NEAR(sum, polygonArea, 1e-9 * std::abs(polygonArea));
}

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.name; }

class Triangulated : public ::testing::TestWithParam<Shape> {};

TEST_P(Triangulated, CoversThePolygonExactlyInItsWinding) {
    Corners corners;
    for (const Flat& p : GetParam().corners)
        corners.push_back(placed(p, GetParam().tilted, GetParam().facing));
    std::vector<CornerTriangle> triangles;
    models::PolygonTriangulation triangulation;
    ASSERT_TRUE(triangulation.split(corners, triangles));
    expectCovered(GetParam().corners, triangles);
}

TEST_P(Triangulated, CoversThePolygonExactlyBySweepingToo) {
    const std::vector<Flat>& flat = GetParam().corners;
    std::vector<CornerTriangle> triangles;
    models::MonotoneTriangulation sweep;
    ASSERT_TRUE(sweep.split(flat, area2(flat) > 0 ? 1.0 : -1.0, triangles));
    expectCovered(flat, triangles);
}

INSTANTIATE_TEST_SUITE_P(PolygonTriangulation, Triangulated, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

// Stars of random radii, wound either way: concave corners everywhere, in every order from
// top to bottom, so that the sweep meets edges in every arrangement beside each other.
TEST(PolygonTriangulation, SweepCoversStarsOfRandomRadii) {
    std::mt19937 random(26);
    std::uniform_real_distribution<double> radius(0.2, 1.0);
    for (int star = 0; star < 100; ++star) {
        const int corners = 8 + star * 3;
        std::vector<Flat> flat;
        for (int i = 0; i < corners; ++i) {
            const double angle = (star % 2 == 0 ? 2 : -2) * std::numbers::pi * i / corners;
            const double r = radius(random);
            flat.push_back({r * std::cos(angle), r * std::sin(angle)});
        }
        std::vector<CornerTriangle> triangles;
        models::MonotoneTriangulation sweep;
        ASSERT_TRUE(sweep.split(flat, area2(flat) > 0 ? 1.0 : -1.0, triangles)) << star;
        expectCovered(flat, triangles);
    }
}

// Two loops of a figure of eight, wound against each other: no splitting covers it with
// triangles that all turn one way.
std::vector<Flat> figureOfEight(int corners) {
    std::vector<Flat> p;
    for (int i = 0; i < corners; ++i) {
        const double a = 2.0 * std::numbers::pi * i / corners;
        p.push_back({std::sin(a), std::sin(a) * std::cos(a) * (i < corners / 2 ? 1.5 : 1.0)});
    }
    return p;
}

TEST(PolygonTriangulation, PolygonsWhoseEdgesCrossAreFannedAndSaidToBeNotSimple) {
    const struct {
        const char* name;
        std::vector<Flat> corners;
    } crossed[] = {
        // Every convex corner's triangle holds another corner: no ear.
        {"FiveCorners", {{3, 1}, {4, 4}, {1, 0}, {4, 2}, {5, 2}}},
        // An ear is cut off, and what is left turns the other way.
        {"FourCornersTheLastTriangleInverted", {{0, 0}, {4, 1}, {3, 4}, {1, 0}}},
        {"FigureOfEightOf2000Corners", figureOfEight(2000)},
    };
    for (const auto& [name, flat] : crossed) {
        Corners corners;
        for (const Flat& p : flat) corners.push_back(placed(p, false, 2));
        std::vector<CornerTriangle> triangles;
        models::PolygonTriangulation triangulation;
        EXPECT_FALSE(triangulation.split(corners, triangles)) << name;
        std::vector<CornerTriangle> fan;
        for (std::uint32_t c = 1; c + 1 < flat.size(); ++c) fan.push_back({0, c, c + 1});
        EXPECT_EQ(triangles, fan) << name;
    }
}

}  // namespace
