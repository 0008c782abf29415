#include "picture_search.h"

#include <algorithm>

namespace {

bool rowMatches(const render::Image& whole, const render::Image& part, int x, int y, int row) {
    const auto width = static_cast<std::size_t>(part.width);
    const auto from = part.rgb.begin() + static_cast<std::ptrdiff_t>(3 * width * row);
    const auto at = whole.rgb.begin() +
                    static_cast<std::ptrdiff_t>(3 * ((y + row) * std::size_t(whole.width) + x));
    return std::equal(from, from + static_cast<std::ptrdiff_t>(3 * width), at);
}

}  // namespace

std::optional<std::pair<int, int>> findPicture(const render::Image& whole,
                                               const render::Image& part) {
    for (int y = 0; y + part.height <= whole.height; ++y) {
        for (int x = 0; x + part.width <= whole.width; ++x) {
            int row = 0;
            while (row < part.height && rowMatches(whole, part, x, y, row)) ++row;
            if (row == part.height) return std::make_pair(x, y);
        }
    }
    return std::nullopt;
}
