#include "models/monotone_sweep.h"

#include <algorithm>

namespace models {

bool MonotoneSweep::findDiagonals(const SweepPolygon& polygon, std::vector<Diagonal>& diagonals) {
    polygon_ = &polygon;
    diagonals_ = &diagonals;
    diagonals.clear();
    crossed_.clear();
    const std::size_t count = polygon.points.size();
    kind_.resize(count);
    helper_.resize(count);
    place_.resize(count);
    isCrossed_.assign(count, 0);
    order_ = polygon.ring;
    std::sort(order_.begin(), order_.end(),
              [&polygon](std::uint32_t a, std::uint32_t b) { return polygon.above(a, b); });
    for (const std::uint32_t corner : order_) kind_[corner] = kindOf(corner);
    for (const std::uint32_t corner : order_) {
        if (!visit(corner)) return false;
    }
    return crossed_.empty();
}

// Where the boundary runs at the corner: down through it on the polygon's left side or up
// on its right side, or turning at it (both neighbours below: a start, or a split where
// the corner points into the polygon; both above: an end, or a merge).
MonotoneSweep::Kind MonotoneSweep::kindOf(std::uint32_t corner) const {
    const std::uint32_t before = polygon_->previous[corner];
    const std::uint32_t after = polygon_->next[corner];
    const bool beforeBelow = polygon_->above(corner, before);
    const bool afterBelow = polygon_->above(corner, after);
    const bool convex = polygon_->turn(before, corner, after) > 0.0;
    if (beforeBelow && afterBelow) return convex ? Kind::Start : Kind::Split;
    if (!beforeBelow && !afterBelow) return convex ? Kind::End : Kind::Merge;
    return beforeBelow ? Kind::RightSide : Kind::LeftSide;
}

std::uint32_t MonotoneSweep::top(std::uint32_t edge) const {
    const std::uint32_t other = polygon_->next[edge];
    return polygon_->above(edge, other) ? edge : other;
}

std::uint32_t MonotoneSweep::bottom(std::uint32_t edge) const {
    const std::uint32_t other = polygon_->next[edge];
    return polygon_->above(edge, other) ? other : edge;
}

double MonotoneSweep::side(std::uint32_t edge, std::uint32_t corner) const {
    return polygon_->turn(top(edge), bottom(edge), corner);
}

// Two edges the sweep crosses at once, compared where the lower of their tops lies; where
// that lies on the other edge's line, by the lower end. Edges along one line (which a
// simple polygon does not have) keep an order by number.
bool MonotoneSweep::leftOf(std::uint32_t e, std::uint32_t f) const {
    if (e == f) return false;
    const std::uint32_t topE = top(e);
    const std::uint32_t topF = top(f);
    if (polygon_->above(topF, topE)) {
        double s = side(f, topE);
        if (s == 0.0) s = side(f, bottom(e));
        if (s != 0.0) return s < 0.0;
    } else {
        double s = side(e, topF);
        if (s == 0.0) s = side(e, bottom(f));
        if (s != 0.0) return s > 0.0;
    }
    return e < f;
}

bool MonotoneSweep::enter(std::uint32_t edge) {
    if (isCrossed_[edge]) return false;
    const auto [place, entered] = crossed_.insert(edge);
    if (!entered) return false;
    place_[edge] = place;
    isCrossed_[edge] = 1;
    helper_[edge] = edge;  // its upper corner
    return true;
}

bool MonotoneSweep::leave(std::uint32_t edge) {
    if (!isCrossed_[edge]) return false;
    crossed_.erase(place_[edge]);
    isCrossed_[edge] = 0;
    return true;
}

std::optional<std::uint32_t> MonotoneSweep::edgeLeftOf(std::uint32_t corner) const {
    auto place = crossed_.lower_bound(EdgeOrder::Corner{corner});
    if (place == crossed_.begin()) return std::nullopt;
    return *std::prev(place);
}

// A merge corner waits, as the helper of the edge to its left, for the next corner below
// it between that edge and the next: the two are joined.
void MonotoneSweep::joinMergeHelper(std::uint32_t corner, std::uint32_t edge) {
    const std::uint32_t helper = helper_[edge];
    if (kind_[helper] == Kind::Merge) diagonals_->push_back({corner, helper});
}

bool MonotoneSweep::visit(std::uint32_t corner) {
    const std::uint32_t edgeAbove = polygon_->previous[corner];  // the edge that ends here
    switch (kind_[corner]) {
        case Kind::Start:
            return enter(corner);
        case Kind::End:
            if (!isCrossed_[edgeAbove]) return false;
            joinMergeHelper(corner, edgeAbove);
            return leave(edgeAbove);
        case Kind::LeftSide:
            if (!isCrossed_[edgeAbove]) return false;
            joinMergeHelper(corner, edgeAbove);
            return leave(edgeAbove) && enter(corner);
        case Kind::Split:
        case Kind::Merge:
        case Kind::RightSide:
            break;
    }
    if (kind_[corner] == Kind::Merge) {
        if (!isCrossed_[edgeAbove]) return false;
        joinMergeHelper(corner, edgeAbove);
        leave(edgeAbove);
    }
    const std::optional<std::uint32_t> left = edgeLeftOf(corner);
    if (!left) return false;
    if (kind_[corner] == Kind::Split) {
        diagonals_->push_back({corner, helper_[*left]});
    } else {
        joinMergeHelper(corner, *left);
    }
    helper_[*left] = corner;
    return kind_[corner] != Kind::Split || enter(corner);
}

}  // namespace models
