#include "models/monotone_triangulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace models {
namespace {

// A triangle turns the polygon's way when twice its area is at least minus this share of
// the polygon's size squared: what rounding can make of a triangle without area.
constexpr double kTurnSlack = 1e-12;

bool samePlace(const PlanePoint& a, const PlanePoint& b) { return a.x == b.x && a.y == b.y; }

}  // namespace

bool MonotoneTriangulation::split(const std::vector<PlanePoint>& points, double orientation,
                                  std::vector<CornerTriangle>& triangles) {
    if (points.size() < 3) return false;
    const std::size_t before = triangles.size();
    takePolygon(points, orientation);
    clipFlatCorners(triangles);
    const std::size_t flat = triangles.size();
    if (polygon_.ring.size() == 3) {
        const std::vector<std::uint32_t>& ring = polygon_.ring;
        triangles.push_back({ring[0], ring[1], ring[2]});
    } else if (!sweep_.findDiagonals(polygon_, diagonals_) || !linkDiagonals() ||
               !splitPieces(triangles)) {
        return false;
    }
    return triangles.size() - before + 2 == points.size() && allTurnLeft(triangles, flat);
}

// Mirrored when it turns clockwise.
void MonotoneTriangulation::takePolygon(const std::vector<PlanePoint>& points, double orientation) {
    const auto count = static_cast<std::uint32_t>(points.size());
    PlanePoint low = points[0], high = low;
    for (const PlanePoint& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    size_ = std::max(high.x - low.x, high.y - low.y);
    const double mirror = orientation < 0.0 ? -1.0 : 1.0;
    polygon_.points.resize(count);
    polygon_.next.resize(count);
    polygon_.previous.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        polygon_.points[i] = {mirror * points[i].x, points[i].y};
        polygon_.next[i] = i + 1 == count ? 0 : i + 1;
        polygon_.previous[i] = i == 0 ? count - 1 : i - 1;
    }
    inRing_.assign(count, 1);
}

bool MonotoneTriangulation::isFlatCorner(std::uint32_t corner) const {
    const PlanePoint& a = polygon_.points[polygon_.previous[corner]];
    const PlanePoint& b = polygon_.points[corner];
    const PlanePoint& c = polygon_.points[polygon_.next[corner]];
    if (samePlace(a, b) || samePlace(b, c)) return true;
    const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
    return ux * vy - uy * vx == 0.0 && ux * vx + uy * vy < 0.0;
}

// Each corner cut off may make its neighbours flat in turn, so they are looked at again:
// O(n) in all. What is left is the ring.
void MonotoneTriangulation::clipFlatCorners(std::vector<CornerTriangle>& triangles) {
    auto remaining = static_cast<std::uint32_t>(polygon_.points.size());
    work_.resize(remaining);
    for (std::uint32_t i = 0; i < remaining; ++i) work_[i] = remaining - 1 - i;
    while (!work_.empty() && remaining > 3) {
        const std::uint32_t corner = work_.back();
        work_.pop_back();
        if (!inRing_[corner] || !isFlatCorner(corner)) continue;
        const std::uint32_t a = polygon_.previous[corner];
        const std::uint32_t b = polygon_.next[corner];
        triangles.push_back({a, corner, b});
        polygon_.next[a] = b;
        polygon_.previous[b] = a;
        inRing_[corner] = 0;
        --remaining;
        work_.push_back(a);
        work_.push_back(b);
    }
    polygon_.ring.clear();
    std::uint32_t corner = 0;
    while (!inRing_[corner]) ++corner;
    for (std::uint32_t c = corner; polygon_.ring.empty() || c != corner; c = polygon_.next[c]) {
        polygon_.ring.push_back(c);
    }
}

// The neighbour lists; false for a diagonal that joins a corner to itself or to a
// neighbour, or that leaves a corner outside its inner angle or along another.
bool MonotoneTriangulation::linkDiagonals() {
    const std::size_t count = polygon_.points.size();
    firstNeighbour_.assign(count + 1, 0);
    for (const std::uint32_t c : polygon_.ring) firstNeighbour_[c + 1] = 2;
    for (const auto& [a, b] : diagonals_) {
        if (a == b || polygon_.next[a] == b || polygon_.previous[a] == b) return false;
        ++firstNeighbour_[a + 1];
        ++firstNeighbour_[b + 1];
    }
    for (std::size_t c = 0; c < count; ++c) firstNeighbour_[c + 1] += firstNeighbour_[c];
    neighbours_.resize(firstNeighbour_[count]);
    work_.assign(firstNeighbour_.begin(), firstNeighbour_.end() - 1);  // where each fills next
    for (const std::uint32_t c : polygon_.ring) {
        neighbours_[work_[c]++] = polygon_.next[c];
        neighbours_[firstNeighbour_[c + 1] - 1] = polygon_.previous[c];
    }
    for (const auto& [a, b] : diagonals_) {
        neighbours_[work_[a]++] = b;
        neighbours_[work_[b]++] = a;
    }
    for (const std::uint32_t c : polygon_.ring) {
        const PlanePoint& at = polygon_.points[c];
        const PlanePoint& next = polygon_.points[polygon_.next[c]];
        const double rx = next.x - at.x, ry = next.y - at.y;
        const auto angle = [&](std::uint32_t to) {
            const double dx = polygon_.points[to].x - at.x, dy = polygon_.points[to].y - at.y;
            const double a = std::atan2(rx * dy - ry * dx, rx * dx + ry * dy);
            return a < 0.0 ? a + 2.0 * std::numbers::pi : a;
        };
        const auto first = neighbours_.begin() + firstNeighbour_[c];
        const auto last = neighbours_.begin() + firstNeighbour_[c + 1] - 1;
        std::sort(first + 1, last,
                  [&angle](std::uint32_t a, std::uint32_t b) { return angle(a) < angle(b); });
        for (auto d = first + 1; d != last; ++d) {
            if (!(angle(*d) > angle(*(d - 1)) && angle(*d) < angle(*last))) return false;
        }
    }
    return true;
}

// Every piece, walked with the polygon on its left: from a corner along one of its edges
// or diagonals, at the far corner on along the next of its edges or diagonals clockwise.
bool MonotoneTriangulation::splitPieces(std::vector<CornerTriangle>& triangles) {
    walked_.assign(neighbours_.size(), 0);
    for (const std::uint32_t c : polygon_.ring) {
        for (std::uint32_t slot = firstNeighbour_[c]; slot + 1 < firstNeighbour_[c + 1]; ++slot) {
            if (walked_[slot]) continue;
            if (!walkPiece(c, slot) || !pieceSplitter_.split(polygon_, piece_, triangles)) {
                return false;
            }
        }
    }
    return true;
}

bool MonotoneTriangulation::walkPiece(std::uint32_t corner, std::uint32_t slot) {
    piece_.clear();
    const std::uint32_t start = slot;
    for (std::size_t steps = 0; steps < neighbours_.size(); ++steps) {
        if (walked_[slot]) return false;
        walked_[slot] = 1;
        piece_.push_back(corner);
        const std::uint32_t to = neighbours_[slot];
        const std::uint32_t first = firstNeighbour_[to];
        const std::uint32_t last = firstNeighbour_[to + 1] - 1;
        const auto back =
            std::find(neighbours_.begin() + first, neighbours_.begin() + last + 1, corner);
        const auto arrival = static_cast<std::uint32_t>(back - neighbours_.begin());
        // Clockwise from the way back; never the edge to the previous corner, which would
        // run back along the polygon's outline.
        if (arrival == first || arrival > last) return false;
        corner = to;
        slot = arrival - 1;
        if (slot == start) return true;
    }
    return false;
}

bool MonotoneTriangulation::allTurnLeft(const std::vector<CornerTriangle>& triangles,
                                        std::size_t from) const {
    const double slack = kTurnSlack * size_ * size_;
    for (std::size_t t = from; t < triangles.size(); ++t) {
        const CornerTriangle& c = triangles[t];
        if (polygon_.turn(c[0], c[1], c[2]) < -slack) return false;
    }
    return true;
}

}  // namespace models
