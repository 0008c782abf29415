#include "tools/preview/thumbnail.h"

#include <algorithm>

namespace preview {
namespace {

// The source pixels [first, end) that target pixel `i` of `count` covers along a side of
// `size` pixels; at least one.
std::pair<int, int> covered(int i, int count, int size) {
    const auto at = [&](int k) {
        return static_cast<int>(static_cast<long long>(k) * size / count);
    };
    const int first = std::min(at(i), size - 1);
    return {first, std::max(at(i + 1), first + 1)};
}

}  // namespace

render::Image shrunk(const render::Image& image, int width, int height) {
    render::Image small{width, height,
                        std::vector<unsigned char>(3 * static_cast<std::size_t>(width) *
                                                   static_cast<std::size_t>(height))};
    for (int y = 0; y < height; ++y) {
        const auto [top, bottom] = covered(y, height, image.height);
        for (int x = 0; x < width; ++x) {
            const auto [left, right] = covered(x, width, image.width);
            unsigned long sum[3] = {0, 0, 0};
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    const std::size_t from = 3 * (static_cast<std::size_t>(sy) * image.width + sx);
                    for (std::size_t c = 0; c < 3; ++c) sum[c] += image.rgb[from + c];
                }
            }
            const unsigned long count = static_cast<unsigned long>(bottom - top) * (right - left);
            const std::size_t to = 3 * (static_cast<std::size_t>(y) * width + x);
            for (std::size_t c = 0; c < 3; ++c) {
                small.rgb[to + c] = static_cast<unsigned char>((sum[c] + count / 2) / count);
            }
        }
    }
    return small;
}

}  // namespace preview
