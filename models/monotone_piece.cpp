#include "models/monotone_piece.h"

#include <algorithm>

namespace models {

bool MonotonePiece::split(const SweepPolygon& polygon, const std::vector<std::uint32_t>& piece,
                          std::vector<CornerTriangle>& triangles) {
    polygon_ = &polygon;
    piece_ = &piece;
    if (piece.size() < 3) return false;
    if (!mergeSides()) return false;
    stack_.assign(down_.begin(), down_.begin() + 2);
    for (std::size_t i = 2; i + 1 < down_.size(); ++i) {
        const Step step = down_[i];
        if (step.side != stack_.back().side) {
            cutStack(step.place, triangles);
            stack_ = {stack_.back(), step};
        } else {
            cutWhileInside(step.place, triangles);
            stack_.push_back(step);
        }
    }
    cutStack(down_.back().place, triangles);
    return true;
}

// The corners from the top down: the left side runs down in the piece's order from its
// top, the right side against it; each must run down all the way to the bottom.
bool MonotonePiece::mergeSides() {
    const std::vector<std::uint32_t>& piece = *piece_;
    const auto count = static_cast<std::uint32_t>(piece.size());
    const auto higher = [this, &piece](std::uint32_t a, std::uint32_t b) {
        return polygon_->above(piece[a], piece[b]);
    };
    std::uint32_t top = 0, bottom = 0;
    for (std::uint32_t i = 1; i < count; ++i) {
        if (higher(i, top)) top = i;
        if (higher(bottom, i)) bottom = i;
    }
    down_.clear();
    down_.push_back({top, Side::Both});
    std::uint32_t left = (top + 1) % count;
    std::uint32_t right = (top + count - 1) % count;
    std::uint32_t lastLeft = top, lastRight = top;
    while (left != bottom || right != bottom) {
        const bool takeLeft = right == bottom || (left != bottom && higher(left, right));
        std::uint32_t& place = takeLeft ? left : right;
        std::uint32_t& last = takeLeft ? lastLeft : lastRight;
        if (!higher(last, place)) return false;
        down_.push_back({place, takeLeft ? Side::Left : Side::Right});
        last = place;
        place = takeLeft ? (place + 1) % count : (place + count - 1) % count;
    }
    if (!higher(lastLeft, bottom) || !higher(lastRight, bottom)) return false;
    down_.push_back({bottom, Side::Both});
    return true;
}

CornerTriangle MonotonePiece::triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
    std::uint32_t places[3] = {a, b, c};
    std::sort(places, places + 3);
    const std::vector<std::uint32_t>& piece = *piece_;
    return {piece[places[0]], piece[places[1]], piece[places[2]]};
}

// The corner sees every corner on the stack (they lie on the other side, or it is the
// bottom): a triangle with each pair of them.
void MonotonePiece::cutStack(std::uint32_t place, std::vector<CornerTriangle>& triangles) {
    for (std::size_t i = 0; i + 1 < stack_.size(); ++i) {
        triangles.push_back(triangle(place, stack_[i].place, stack_[i + 1].place));
    }
}

// A corner on the side of the stack's top: triangles cut off while the diagonal from it
// to the corner under the top runs inside the piece (the triangle turns the piece's way).
void MonotonePiece::cutWhileInside(std::uint32_t place, std::vector<CornerTriangle>& triangles) {
    Step last = stack_.back();
    stack_.pop_back();
    while (!stack_.empty()) {
        const CornerTriangle cut = triangle(place, last.place, stack_.back().place);
        if (!(polygon_->turn(cut[0], cut[1], cut[2]) > 0.0)) break;
        triangles.push_back(cut);
        last = stack_.back();
        stack_.pop_back();
    }
    stack_.push_back(last);
}

}  // namespace models
