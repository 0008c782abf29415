// A polygon monotone from top to bottom split into triangles in one pass down its two
// sides, holding the corners not yet cut off on a stack (a chain that turns away from the
// other side): O(k) for k corners.
#ifndef PELORIX3_MODELS_MONOTONE_PIECE_H
#define PELORIX3_MODELS_MONOTONE_PIECE_H

#include <cstdint>
#include <vector>

#include "models/sweep_polygon.h"

namespace models {

// Keeps its working memory from one piece to the next.
class MonotonePiece {
public:
    // Appends the triangles of `piece`, corners of `polygon` in counter-clockwise order,
    // each in that order: k - 2 of them for k corners. False when the piece is not
    // monotone from top to bottom.
    bool split(const SweepPolygon& polygon, const std::vector<std::uint32_t>& piece,
               std::vector<CornerTriangle>& triangles);

private:
    enum class Side : std::uint8_t { Both, Left, Right };
    struct Step {
        std::uint32_t place;  // in the piece
        Side side;
    };

    bool mergeSides();
    // The triangle of three places of the piece, in the piece's order.
    CornerTriangle triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    void cutStack(std::uint32_t place, std::vector<CornerTriangle>& triangles);
    void cutWhileInside(std::uint32_t place, std::vector<CornerTriangle>& triangles);

    const SweepPolygon* polygon_ = nullptr;
    const std::vector<std::uint32_t>* piece_ = nullptr;
    std::vector<Step> down_;  // the piece's corners from the top down
    std::vector<Step> stack_;
};

}  // namespace models

#endif
