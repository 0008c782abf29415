// Polygons of any number of corners split into triangles in the plane of the polygon, so
// that a concave polygon is covered exactly where it lies. Polygons of up to 1,023 corners
// (the most an LWO2 polygon has) are split by ear clipping, which costs up to O(n²) for n
// corners; larger ones by a sweep into pieces monotone in one direction, which costs
// O(n log n) (see monotone_triangulation.h). The sweep also takes a small polygon that ear
// clipping leaves unfinished (it stops at corners on a line or at one place, as where a
// corner is given twice in a row).
#ifndef PELORIX3_MODELS_POLYGON_TRIANGULATION_H
#define PELORIX3_MODELS_POLYGON_TRIANGULATION_H

#include <array>
#include <cstdint>
#include <vector>

#include "models/ear_clipping.h"
#include "models/monotone_triangulation.h"
#include "models/plane_polygon.h"

namespace models {

// The most corners a polygon may have to be split by ear clipping.
inline constexpr std::size_t kMostCornersEarClipped = 1023;

// Keeps its working memory from one polygon to the next.
class PolygonTriangulation {
public:
    // Appends the triangles of the polygon whose corners lie at `corners`, in its winding
    // order, to `triangles`, each in that winding too: n - 2 of them for n corners. A
    // polygon that is not simple (its edges cross in its plane, so that it cannot be split
    // into triangles that each turn its way) is split as a fan from its first corner
    // instead, and the answer is false.
    bool split(const std::vector<std::array<double, 3>>& corners,
               std::vector<CornerTriangle>& triangles);

private:
    void project(const std::vector<std::array<double, 3>>& corners, int axis);

    std::vector<PlanePoint> points_;  // the corners projected into the polygon's plane
    EarClipping earClipping_;
    MonotoneTriangulation sweep_;
};

}  // namespace models

#endif
