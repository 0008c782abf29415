#include "render/polygon_triangulation.h"

#include <algorithm>
#include <cmath>

namespace standin {
namespace {

// blocker_: a reflex corner may lie inside an ear (if any corner of a simple polygon lies
// inside a convex corner's triangle, a reflex one does); one that was listed as such and is
// reflex no more stays in the sorted list, marked off, until the list is swept.
constexpr std::uint8_t kNotBlocker = 0;
constexpr std::uint8_t kBlocker = 1;
constexpr std::uint8_t kFormerBlocker = 2;

// What is left of a polygon when no ear can be cut off is flat (no area in its plane, up
// to rounding) when its area is this small a share of the sum of its terms.
constexpr double kFlatShare = 1e-10;

// Newell's normal: twice the polygon's area along its best-fit plane's normal, also for a
// polygon whose corners do not quite lie in one plane.
std::array<double, 3> areaNormal(const std::vector<std::array<double, 3>>& corners) {
    std::array<double, 3> normal{0.0, 0.0, 0.0};
    for (std::size_t i = 0, before = corners.size() - 1; i < corners.size(); before = i++) {
        const auto& a = corners[before];
        const auto& b = corners[i];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return normal;
}

int largestAxis(const std::array<double, 3>& v) {
    const double x = std::abs(v[0]), y = std::abs(v[1]), z = std::abs(v[2]);
    return x >= y && x >= z ? 0 : (y >= z ? 1 : 2);
}

void fan(std::size_t count, std::vector<CornerTriangle>& triangles) {
    for (std::uint32_t c = 1; c + 1 < count; ++c) triangles.push_back({0, c, c + 1});
}

}  // namespace

bool PolygonTriangulation::split(const std::vector<std::array<double, 3>>& corners,
                                 std::vector<CornerTriangle>& triangles) {
    const std::size_t count = corners.size();
    if (count < 3) return true;
    if (count == 3) {
        triangles.push_back({0, 1, 2});
        return true;
    }
    const std::array<double, 3> normal = areaNormal(corners);
    const int axis = largestAxis(normal);
    if (!(std::abs(normal[axis]) > 0.0)) {
        fan(count, triangles);  // no area in any plane: its triangles have none either
        return true;
    }
    orientation_ = normal[axis] > 0.0 ? 1.0 : -1.0;
    project(corners, axis);
    const std::size_t before = triangles.size();
    if (clipEars(triangles)) return true;
    triangles.resize(before);
    fan(count, triangles);
    return false;
}

// Along the axis nearest the polygon's normal onto the plane of the other two, taken in
// the order in which the polygon's area along that axis is positive for a winding that
// turns left: the polygon keeps its shape up to an affine map of its plane, which keeps
// every ear an ear.
void PolygonTriangulation::project(const std::vector<std::array<double, 3>>& corners, int axis) {
    const auto u = static_cast<std::size_t>((axis + 1) % 3);
    const auto v = static_cast<std::size_t>((axis + 2) % 3);
    points_.resize(corners.size());
    Point low{corners[0][u], corners[0][v]}, high = low;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        points_[i] = {corners[i][u], corners[i][v]};
        low = {std::min(low.x, points_[i].x), std::min(low.y, points_[i].y)};
        high = {std::max(high.x, points_[i].x), std::max(high.y, points_[i].y)};
    }
    alongX_ = high.x - low.x >= high.y - low.y;
}

double PolygonTriangulation::turn(std::uint32_t corner) const {
    const Point& a = points_[previous_[corner]];
    const Point& b = points_[corner];
    const Point& c = points_[next_[corner]];
    return orientation_ * ((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x));
}

// Whether `other` lies inside the triangle a, b, c (in the polygon's winding) or on its
// edges. A corner at the same place as one of the triangle's (where a polygon runs through
// a point twice, as around a hole cut into it) does not count.
bool PolygonTriangulation::blocks(std::uint32_t other, std::uint32_t a, std::uint32_t b,
                                  std::uint32_t c) const {
    const Point& p = points_[other];
    const Point& pa = points_[a];
    const Point& pb = points_[b];
    const Point& pc = points_[c];
    const auto same = [&p](const Point& q) { return p.x == q.x && p.y == q.y; };
    if (same(pa) || same(pb) || same(pc)) return false;
    const auto side = [this, &p](const Point& from, const Point& to) {
        return orientation_ * ((to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x));
    };
    return side(pa, pb) >= 0.0 && side(pb, pc) >= 0.0 && side(pc, pa) >= 0.0;
}

bool PolygonTriangulation::isEar(std::uint32_t corner) const {
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
void PolygonTriangulation::sweepBlockers() {
    std::erase_if(sortedBlockers_, [this](const std::pair<double, std::uint32_t>& entry) {
        if (blocker_[entry.second] == kBlocker) return false;
        blocker_[entry.second] = kNotBlocker;
        return true;
    });
    formerBlockers_ = 0;
}

void PolygonTriangulation::sortBlockers() {
    formerBlockers_ = 0;
    sortedBlockers_.clear();
    for (std::uint32_t i = 0; i < points_.size(); ++i) {
        if (blocker_[i] == kBlocker) {
            sortedBlockers_.push_back({alongX_ ? points_[i].x : points_[i].y, i});
        }
    }
    std::sort(sortedBlockers_.begin(), sortedBlockers_.end());
}

// A neighbour of a clipped corner: whether it blocks ears, and whether it is one. (In a
// simple polygon clipping an ear only makes its neighbours more convex, and no other
// corner's ear changes; a polygon that is not simple may turn a corner back.)
void PolygonTriangulation::recheck(std::uint32_t corner) {
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

bool PolygonTriangulation::clipEars(std::vector<CornerTriangle>& triangles) {
    const auto count = static_cast<std::uint32_t>(points_.size());
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
            // What is left covers nothing in the plane: a fan of it is as good as any.
            for (std::uint32_t c = next_[corner]; next_[c] != corner; c = next_[c]) {
                triangles.push_back({corner, c, next_[c]});
            }
            return true;
        }
        corner = next_[corner];
    }
    triangles.push_back({previous_[corner], corner, next_[corner]});
    return true;
}

bool PolygonTriangulation::isFlat(std::uint32_t start, std::uint32_t remaining) const {
    // Measured from the first corner, so that the polygon's distance from the origin
    // does not drown its area.
    const Point& origin = points_[start];
    double area = 0.0;
    double terms = 0.0;
    std::uint32_t c = start;
    for (std::uint32_t i = 0; i < remaining; ++i, c = next_[c]) {
        const double ax = points_[c].x - origin.x, ay = points_[c].y - origin.y;
        const double bx = points_[next_[c]].x - origin.x, by = points_[next_[c]].y - origin.y;
        area += ax * by - bx * ay;
        terms += std::abs(ax * by) + std::abs(bx * ay);
    }
    return std::abs(area) <= kFlatShare * terms;
}

}  // namespace standin
