// A polygon split into triangles by ear clipping, in its plane, so that a concave polygon
// is covered exactly where it lies: a triangle is cut off at a convex corner only when no
// reflex corner of the polygon lies inside it. Each corner's ear status is kept and only
// the two neighbours of a clipped corner are looked at again, so a polygon of n corners
// costs O(n²) at most; the corners that can lie inside an ear (those that are not convex)
// are kept sorted along the polygon's longer side, so that each test usually looks at
// only a few of them.
#ifndef PELORIX3_MODELS_EAR_CLIPPING_H
#define PELORIX3_MODELS_EAR_CLIPPING_H

#include <cstdint>
#include <utility>
#include <vector>

#include "models/plane_polygon.h"

namespace models {

// Keeps its working memory from one polygon to the next.
class EarClipping {
public:
    // Appends the triangles of the polygon of `points`, whose area in the plane has the
    // sign of `orientation` (+1 or -1), to `triangles`, each in the polygon's winding:
    // n - 2 of them for n corners. False, with some triangles appended, when a part of the
    // polygon is left from which no ear can be cut off (its edges cross).
    bool split(const std::vector<PlanePoint>& points, double orientation,
               std::vector<CornerTriangle>& triangles);

private:
    double turn(std::uint32_t corner) const;  // > 0 at a convex corner
    bool isConvex(std::uint32_t corner) const { return turn(corner) > 0.0; }
    bool isEar(std::uint32_t corner) const;
    bool blocks(std::uint32_t other, std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    void sortBlockers();
    void sweepBlockers();
    void recheck(std::uint32_t corner);
    bool clipEars(std::vector<CornerTriangle>& triangles);
    bool isFlat(std::uint32_t start, std::uint32_t remaining) const;

    const PlanePoint* points_ = nullptr;  // the polygon being split
    std::uint32_t count_ = 0;             // its corners
    double orientation_ = 1.0;            // +1 or -1: the sign of the polygon's area in its plane
    bool alongX_ = true;                  // the blockers are sorted by x (else by y)
    std::vector<std::uint32_t> previous_;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint8_t> ear_;
    std::vector<std::uint8_t> blocker_;  // reflex, and so maybe inside an ear
    // The blockers (and former ones, now marked off in blocker_) by their coordinate.
    std::vector<std::pair<double, std::uint32_t>> sortedBlockers_;
    std::size_t formerBlockers_ = 0;  // in sortedBlockers_
};

}  // namespace models

#endif
