// Splits arbitrary corners, as one polygon, into triangles, as the model readers split
// every face: by ear clipping up to 1,023 corners, by the sweep beyond, as a fan when the
// polygon's edges cross. The readers' own targets keep to small files, where they run
// fastest; the large faces are fuzzed here, where every byte is a corner.
//
// The first byte chooses the plane: the polygon's (x, y) raised to height a x + b y, a and b
// from -1 to 1, with the axes turned. Each further 4 bytes are a corner, x and y as 16-bit
// integers, so that every area below is exact. Whatever the corners, the split gives n - 2
// triangles of the polygon's own corners whose signed areas add up to the polygon's; when
// it says the polygon was split inside itself, the triangles also cover it once: their
// areas taken unsigned add up to the polygon's too, but for what a remainder that ear
// clipping takes for flat may add (each of its n triangles at most 1e-10 of a sum of n
// terms, each at most twice the polygon's longer side squared).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_values.h"
#include "models/polygon_triangulation.h"

namespace {

using fuzz::require;

struct Point {
    std::int64_t x;
    std::int64_t y;
};

// How much more than the polygon the triangles may cover, as a share of its corners
// squared times its longer side squared: ear clipping's share for a flat remainder, doubled.
constexpr double kFlatShare = 2e-10;

std::int64_t cross(const Point& a, const Point& b) { return a.x * b.y - a.y * b.x; }

// Twice the signed area of the triangle a, b, c.
std::int64_t area2(const Point& a, const Point& b, const Point& c) {
    return cross({b.x - a.x, b.y - a.y}, {c.x - a.x, c.y - a.y});
}

std::int16_t word(const std::uint8_t* bytes) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8));
}

std::vector<Point> cornersOf(const std::uint8_t* data, std::size_t size) {
    std::vector<Point> corners;
    for (std::size_t at = 0; at + 4 <= size; at += 4) {
        corners.push_back({word(data + at), word(data + at + 2)});
    }
    return corners;
}

// The corners in space: (x, y, a x + b y), the axes turned `turns` times.
std::vector<std::array<double, 3>> inSpace(const std::vector<Point>& corners, std::uint8_t plane) {
    const int a = plane % 3 - 1;
    const int b = plane / 3 % 3 - 1;
    const int turns = plane / 9 % 3;
    std::vector<std::array<double, 3>> space;
    for (const Point& p : corners) {
        std::array<double, 3> q{double(p.x), double(p.y), double(a * p.x + b * p.y)};
        for (int t = 0; t < turns; ++t) q = {q[2], q[0], q[1]};
        space.push_back(q);
    }
    return space;
}

void checkSplit(const std::vector<Point>& corners,
                const std::vector<models::CornerTriangle>& triangles, bool inside) {
    const std::size_t n = corners.size();
    if (n < 3) {
        require(triangles.empty(), "no triangles of fewer than three corners");
        return;
    }
    require(triangles.size() == n - 2, "n - 2 triangles");
    std::int64_t polygon = 0;
    Point low = corners[0], high = low;
    for (std::size_t i = 0, before = n - 1; i < n; before = i++) {
        polygon += cross(corners[before], corners[i]);
        low = {std::min(low.x, corners[i].x), std::min(low.y, corners[i].y)};
        high = {std::max(high.x, corners[i].x), std::max(high.y, corners[i].y)};
    }
    const double side = double(std::max(high.x - low.x, high.y - low.y));
    std::int64_t sum = 0;
    std::int64_t unsignedSum = 0;
    for (const models::CornerTriangle& t : triangles) {
        for (const std::uint32_t c : t) require(c < n, "corners of the polygon");
        require(t[0] != t[1] && t[1] != t[2] && t[2] != t[0], "three different corners");
        const std::int64_t area = area2(corners[t[0]], corners[t[1]], corners[t[2]]);
        sum += area;
        unsignedSum += std::abs(area);
    }
    require(sum == polygon, "the triangles' areas add up to the polygon's");
    if (inside && polygon != 0) {
        require(double(unsignedSum - std::abs(polygon)) <=
                    kFlatShare * double(n) * double(n) * side * side,
                "the triangles cover the polygon once");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::vector<Point> corners = cornersOf(data + 1, size - 1);
    std::vector<models::CornerTriangle> triangles;
    static models::PolygonTriangulation triangulation;  // its memory kept, as a reader keeps it
    const bool inside = triangulation.split(inSpace(corners, data[0]), triangles);
    checkSplit(corners, triangles, inside);
    return 0;
}
