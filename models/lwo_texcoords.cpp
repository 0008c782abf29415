#include "models/lwo_texcoords.h"

#include <algorithm>

namespace models {
namespace {

bool before(const LwoCornerTexcoord& a, const LwoCornerTexcoord& b) {
    return a.polygon != b.polygon ? a.polygon < b.polygon : a.point < b.point;
}

}  // namespace

std::optional<Point2f> LwoTexcoords::at(std::uint32_t polygon, std::uint32_t point) const {
    if (!corners.empty()) {
        const LwoCornerTexcoord key{polygon, point, {}};
        const auto found = std::lower_bound(corners.begin(), corners.end(), key, before);
        if (found != corners.end() && found->polygon == polygon && found->point == point) {
            return found->uv;
        }
    }
    if (point < given.size() && given[point]) return points[point];
    return std::nullopt;
}

void LwoTexcoords::sortCorners() { std::stable_sort(corners.begin(), corners.end(), before); }

}  // namespace models
