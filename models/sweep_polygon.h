// A polygon as the sweep that splits large polygons sees it: its corners in the plane,
// linked in a ring that turns left (counter-clockwise). Corners taken out of the ring keep
// their numbers, so that every triangle names the polygon's own corners.
#ifndef PELORIX3_MODELS_SWEEP_POLYGON_H
#define PELORIX3_MODELS_SWEEP_POLYGON_H

#include <cstdint>
#include <vector>

#include "models/plane_polygon.h"

namespace models {

// Twice the area of the triangle a, b, c: positive when it turns left.
inline double turn(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

struct SweepPolygon {
    std::vector<PlanePoint> points;  // every corner, by its number
    std::vector<std::uint32_t> next;
    std::vector<std::uint32_t> previous;
    std::vector<std::uint32_t> ring;  // the corners in the ring

    double turn(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
        return models::turn(points[a], points[b], points[c]);
    }

    // Whether the sweep, which runs from the top down, meets corner a before corner b: a
    // is higher, or as high and further left, or at the same place with a lower number.
    // So every corner has its own place, and a horizontal edge is met as if it ran
    // slightly down to the right.
    bool above(std::uint32_t a, std::uint32_t b) const {
        const PlanePoint& p = points[a];
        const PlanePoint& q = points[b];
        if (p.y != q.y) return p.y > q.y;
        if (p.x != q.x) return p.x < q.x;
        return a < b;
    }
};

}  // namespace models

#endif
