// Large polygons split into triangles in O(n log n) for n corners: a sweep from the top
// down finds the diagonals that split the polygon into pieces monotone from top to bottom
// (monotone_sweep.h), and each piece is split in one pass down its sides
// (monotone_piece.h).
//
// Before the sweep, corners that cut off no area (at the same place as a neighbour, or the
// tip of a spike whose edges run back along each other) are cut off as triangles of no
// area. Corners at one place elsewhere in the polygon (where it runs through a point
// twice, as along a seam joining a hole to its outline) are told apart by their numbers,
// as if moved apart by less than any rounding. Every triangle made must turn the
// polygon's way (up to rounding): since the triangles' edges add up to the polygon's own,
// they then cover it exactly once, and a polygon whose edges cross (some of it wound the
// other way) fails the test.
#ifndef PELORIX3_MODELS_MONOTONE_TRIANGULATION_H
#define PELORIX3_MODELS_MONOTONE_TRIANGULATION_H

#include <cstdint>
#include <vector>

#include "models/monotone_piece.h"
#include "models/monotone_sweep.h"
#include "models/sweep_polygon.h"

namespace models {

// Keeps its working memory from one polygon to the next.
class MonotoneTriangulation {
public:
    // Appends the triangles of the polygon of `points`, whose area in the plane has the
    // sign of `orientation` (+1 or -1), to `triangles`, each in the polygon's winding:
    // n - 2 of them for n corners. False, with some triangles appended, when the polygon
    // is not simple.
    bool split(const std::vector<PlanePoint>& points, double orientation,
               std::vector<CornerTriangle>& triangles);

private:
    void takePolygon(const std::vector<PlanePoint>& points, double orientation);
    void clipFlatCorners(std::vector<CornerTriangle>& triangles);
    bool isFlatCorner(std::uint32_t corner) const;
    bool linkDiagonals();
    bool splitPieces(std::vector<CornerTriangle>& triangles);
    bool walkPiece(std::uint32_t corner, std::uint32_t slot);
    bool allTurnLeft(const std::vector<CornerTriangle>& triangles, std::size_t from) const;

    SweepPolygon polygon_;
    double size_ = 0.0;  // the longer side of the polygon's box
    std::vector<std::uint8_t> inRing_;
    std::vector<std::uint32_t> work_;
    MonotoneSweep sweep_;
    std::vector<Diagonal> diagonals_;
    // Each corner's neighbours, counter-clockwise from the next corner to the previous
    // one, with the diagonals between: corner c's from firstNeighbour_[c] to
    // firstNeighbour_[c + 1]. A slot also names the piece edge from c to that neighbour.
    std::vector<std::uint32_t> firstNeighbour_;
    std::vector<std::uint32_t> neighbours_;
    std::vector<std::uint8_t> walked_;  // by slot
    std::vector<std::uint32_t> piece_;
    MonotonePiece pieceSplitter_;
};

}  // namespace models

#endif
