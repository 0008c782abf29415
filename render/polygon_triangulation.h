// Polygons of any number of corners split into triangles by ear clipping, in the plane of
// the polygon, so that a concave polygon is covered exactly where it lies: a triangle is
// cut off at a convex corner only when no reflex corner of the polygon lies inside it.
// Each corner's ear status is kept and only the two neighbours of a clipped corner are
// looked at again, so a polygon of n corners costs O(n²) at most; the corners that can
// lie inside an ear (those that are not convex) are kept sorted along the polygon's longer
// side, so that each test usually looks at only a few of them.
#ifndef PELORIX3_RENDER_POLYGON_TRIANGULATION_H
#define PELORIX3_RENDER_POLYGON_TRIANGULATION_H

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace standin {

// A triangle as three corner numbers of its polygon (from 0).
using CornerTriangle = std::array<std::uint32_t, 3>;

// Keeps its working memory from one polygon to the next.
class PolygonTriangulation {
public:
    // Appends the triangles of the polygon whose corners lie at `corners`, in its winding
    // order, to `triangles`, each in that winding too: n - 2 of them for n corners. A
    // polygon that is not simple (its edges cross in its plane, so that no ear can be cut
    // off) is split as a fan from its first corner instead, and the answer is false.
    bool split(const std::vector<std::array<double, 3>>& corners,
               std::vector<CornerTriangle>& triangles);

private:
    struct Point {
        double x = 0.0;
        double y = 0.0;
    };

    void project(const std::vector<std::array<double, 3>>& corners, int axis);
    double turn(std::uint32_t corner) const;  // > 0 at a convex corner
    bool isConvex(std::uint32_t corner) const { return turn(corner) > 0.0; }
    bool isEar(std::uint32_t corner) const;
    bool blocks(std::uint32_t other, std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    void sortBlockers();
    void sweepBlockers();
    void recheck(std::uint32_t corner);
    bool clipEars(std::vector<CornerTriangle>& triangles);
    bool isFlat(std::uint32_t start, std::uint32_t remaining) const;

    std::vector<Point> points_;  // the corners projected into the polygon's plane
    double orientation_ = 1.0;   // +1 or -1: the sign of the polygon's area in that plane
    bool alongX_ = true;         // the blockers are sorted by x (else by y)
    std::vector<std::uint32_t> previous_;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint8_t> ear_;
    std::vector<std::uint8_t> blocker_;  // reflex, and so maybe inside an ear
    // The blockers (and former ones, now marked off in blocker_) by their coordinate.
    std::vector<std::pair<double, std::uint32_t>> sortedBlockers_;
    std::size_t formerBlockers_ = 0;  // in sortedBlockers_
};

}  // namespace standin

#endif
