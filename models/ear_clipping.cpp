#include "models/ear_clipping.h"

#include <algorithm>
#include <cmath>

namespace models {
namespace {

// blocker_: a reflex corner may lie inside an ear (if any corner of a simple polygon lies
// inside a convex corner's triangle, a reflex one does); one that was listed as such and is
// reflex no more stays in the sorted list, marked off, until the list is swept.
constexpr std::uint8_t kNotBlocker = 0;
constexpr std::uint8_t kBlocker = 1;
constexpr std::uint8_t kFormerBlocker = 2;

// What is left of a polygon when no ear can be cut off is flat (no area in its plane, up
// to rounding) when each triangle of its fan is this small a share of the sum of its terms.
constexpr double kFlatShare = 1e-10;

}  // namespace

bool EarClipping::split(const std::vector<PlanePoint>& points, double orientation,
                        std::vector<CornerTriangle>& triangles) {
    points_ = points.data();
    count_ = static_cast<std::uint32_t>(points.size());
    orientation_ = orientation;
    PlanePoint low = points[0], high = low;
    for (const PlanePoint& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    alongX_ = high.x - low.x >= high.y - low.y;
    return clipEars(triangles);
}

double EarClipping::turn(std::uint32_t corner) const {
    const PlanePoint& a = points_[previous_[corner]];
    const PlanePoint& b = points_[corner];
    const PlanePoint& c = points_[next_[corner]];
    return orientation_ * ((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x));
}

// Whether `other` lies inside the triangle a, b, c (in the polygon's winding) or on its
// edges. A corner at the same place as one of the triangle's (where a polygon runs through
// a point twice, as around a hole cut into it) does not count.
bool EarClipping::blocks(std::uint32_t other, std::uint32_t a, std::uint32_t b,
                         std::uint32_t c) const {
    const PlanePoint& p = points_[other];
    const PlanePoint& pa = points_[a];
    const PlanePoint& pb = points_[b];
    const PlanePoint& pc = points_[c];
    const auto same = [&p](const PlanePoint& q) { return p.x == q.x && p.y == q.y; };
    if (same(pa) || same(pb) || same(pc)) return false;
    const auto side = [this, &p](const PlanePoint& from, const PlanePoint& to) {
        return orientation_ * ((to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x));
    };
    return side(pa, pb) >= 0.0 && side(pb, pc) >= 0.0 && side(pc, pa) >= 0.0;
}

bool EarClipping::isEar(std::uint32_t corner) const {
    if (!isConvex(corner)) return false;
    const std::uint32_t a = previous_[corner];
    const std::uint32_t c = next_[corner];
    const auto coordinate = [this](std::uint32_t i) {
        return alongX_ ? points_[i].x : points_[i].y;
    };
    const double low = std::min({coordinate(a), coordinate(corner), coordinate(c)});
    const double high = std::max({coordinate(a), coordinate(corner), coordinate(c)});
    auto it = std::lower_bound(sortedBlockers_.begin(), sortedBlockers_.end(),
                               std::pair<double, std::uint32_t>{low, 0});
    for (; it != sortedBlockers_.end() && it->first <= high; ++it) {
        if (blocker_[it->second] == kBlocker && blocks(it->second, a, corner, c)) return false;
    }
    return true;
}

// Drops the corners that are reflex no more from the sorted list.
void EarClipping::sweepBlockers() {
    std::erase_if(sortedBlockers_, [this](const std::pair<double, std::uint32_t>& entry) {
        if (blocker_[entry.second] == kBlocker) return false;
        blocker_[entry.second] = kNotBlocker;
        return true;
    });
    formerBlockers_ = 0;
}

void EarClipping::sortBlockers() {
    formerBlockers_ = 0;
    sortedBlockers_.clear();
    for (std::uint32_t i = 0; i < count_; ++i) {
        if (blocker_[i] == kBlocker) {
            sortedBlockers_.push_back({alongX_ ? points_[i].x : points_[i].y, i});
        }
    }
    std::sort(sortedBlockers_.begin(), sortedBlockers_.end());
}

// A neighbour of a clipped corner: whether it blocks ears, and whether it is one. (In a
// simple polygon clipping an ear only makes its neighbours more convex, and no other
// corner's ear changes; a polygon that is not simple may turn a corner back.)
void EarClipping::recheck(std::uint32_t corner) {
    if (turn(corner) >= 0.0) {
        if (blocker_[corner] == kBlocker) {
            blocker_[corner] = kFormerBlocker;
            ++formerBlockers_;
        }
    } else if (blocker_[corner] == kNotBlocker) {
        const std::pair<double, std::uint32_t> entry{
            alongX_ ? points_[corner].x : points_[corner].y, corner};
        sortedBlockers_.insert(
            std::lower_bound(sortedBlockers_.begin(), sortedBlockers_.end(), entry), entry);
        blocker_[corner] = kBlocker;
    } else {
        blocker_[corner] = kBlocker;
    }
    ear_[corner] = isEar(corner) ? 1 : 0;
}

bool EarClipping::clipEars(std::vector<CornerTriangle>& triangles) {
    const std::uint32_t count = count_;
    previous_.resize(count);
    next_.resize(count);
    blocker_.resize(count);
    ear_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        previous_[i] = i == 0 ? count - 1 : i - 1;
        next_[i] = i + 1 == count ? 0 : i + 1;
    }
    for (std::uint32_t i = 0; i < count; ++i) blocker_[i] = turn(i) < 0.0 ? kBlocker : kNotBlocker;
    sortBlockers();
    for (std::uint32_t i = 0; i < count; ++i) ear_[i] = isEar(i) ? 1 : 0;

    std::uint32_t remaining = count;
    std::uint32_t corner = 0;
    std::uint32_t looked = 0;  // corners looked at since the last ear was cut off
    while (remaining > 3) {
        if (ear_[corner]) {
            const std::uint32_t a = previous_[corner];
            const std::uint32_t c = next_[corner];
            triangles.push_back({a, corner, c});
            next_[a] = c;
            previous_[c] = a;
            --remaining;
            recheck(a);
            recheck(c);
            if (2 * formerBlockers_ > sortedBlockers_.size()) sweepBlockers();
            corner = c;
            looked = 0;
            continue;
        }
        if (++looked >= remaining) {
            if (!isFlat(corner, remaining)) return false;
            // What is left covers nothing in the plane, nor does any triangle of its fan.
            for (std::uint32_t c = next_[corner]; next_[c] != corner; c = next_[c]) {
                triangles.push_back({corner, c, next_[c]});
            }
            return true;
        }
        corner = next_[corner];
    }
    // The last triangle is no ear that was looked at: where the polygon's edges cross it
    // may turn the other way.
    if (turn(corner) < 0.0 && !isFlat(corner, 3)) return false;
    triangles.push_back({previous_[corner], corner, next_[corner]});
    return true;
}

bool EarClipping::isFlat(std::uint32_t start, std::uint32_t remaining) const {
    // Each triangle of the fan from the first corner, not only their sum: a remainder that
    // runs out along a line and back (a spike) has no area in all, but its fan's triangles
    // would cover ground both ways. Measured from the first corner, so that the polygon's
    // distance from the origin does not drown its area.
    const PlanePoint& origin = points_[start];
    double largest = 0.0;
    double terms = 0.0;
    std::uint32_t c = start;
    for (std::uint32_t i = 0; i < remaining; ++i, c = next_[c]) {
        const double ax = points_[c].x - origin.x, ay = points_[c].y - origin.y;
        const double bx = points_[next_[c]].x - origin.x, by = points_[next_[c]].y - origin.y;
        largest = std::max(largest, std::abs(ax * by - bx * ay));
        terms += std::abs(ax * by) + std::abs(bx * ay);
    }
    return largest <= kFlatShare * terms;
}

}  // namespace models
