#include "render/texture_map.h"

#include <cmath>

namespace standin {
namespace {

// The fraction of a coordinate within its repeat, in [0, 1): repeating is exact whatever
// the coordinate's size, and a coordinate that is not a number samples at 0.
double withinRepeat(double t) {
    const double fraction = t - std::floor(t);
    return fraction >= 0.0 && fraction < 1.0 ? fraction : 0.0;
}

// Texel index i, from -1 to size, wrapped into [0, size).
std::size_t wrapped(long i, int size) {
    return static_cast<std::size_t>(i < 0 ? i + size : i >= size ? i - size : i);
}

double bilinear(const float* values, std::size_t stride, const std::size_t texel[4], double fx,
                double fy) {
    const double top = values[texel[0] * stride] * (1.0 - fx) + values[texel[1] * stride] * fx;
    const double bottom = values[texel[2] * stride] * (1.0 - fx) + values[texel[3] * stride] * fx;
    return top * (1.0 - fy) + bottom * fy;
}

}  // namespace

std::optional<TextureMap> TextureMap::create(int width, int height, int channels,
                                             std::vector<float> values) {
    if (width <= 0 || height <= 0 || (channels != 1 && channels != 3)) return std::nullopt;
    const std::size_t texels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (values.size() != texels * static_cast<std::size_t>(channels)) return std::nullopt;
    TextureMap map(width, height);
    if (channels == 1) {
        map.grey_ = std::move(values);
        return map;
    }
    map.grey_.resize(texels);
    for (std::size_t t = 0; t < texels; ++t) {
        map.grey_[t] = static_cast<float>(0.2126 * values[3 * t] + 0.7152 * values[3 * t + 1] +
                                          0.0722 * values[3 * t + 2]);
    }
    map.rgb_ = std::move(values);
    return map;
}

// Texel centres lie at half-integer positions: texel x covers u from x / width to
// (x + 1) / width, and row 0 is the top, where v is 1.
TextureMap::Footprint TextureMap::footprint(double u, double v) const {
    const double x = withinRepeat(u) * width_ - 0.5;
    const double y = (1.0 - withinRepeat(v)) * height_ - 0.5;
    const double left = std::floor(x);
    const double up = std::floor(y);
    const std::size_t x0 = wrapped(static_cast<long>(left), width_);
    const std::size_t x1 = wrapped(static_cast<long>(left) + 1, width_);
    const std::size_t row0 = wrapped(static_cast<long>(up), height_) * width_;
    const std::size_t row1 = wrapped(static_cast<long>(up) + 1, height_) * width_;
    return {{row0 + x0, row0 + x1, row1 + x0, row1 + x1}, x - left, y - up};
}

Triple TextureMap::colorAt(double u, double v) const {
    const Footprint f = footprint(u, v);
    if (isGrey()) {
        const double grey = bilinear(grey_.data(), 1, f.texel, f.fx, f.fy);
        return {grey, grey, grey};
    }
    return {bilinear(rgb_.data(), 3, f.texel, f.fx, f.fy),
            bilinear(rgb_.data() + 1, 3, f.texel, f.fx, f.fy),
            bilinear(rgb_.data() + 2, 3, f.texel, f.fx, f.fy)};
}

double TextureMap::valueAt(double u, double v) const {
    const Footprint f = footprint(u, v);
    return bilinear(grey_.data(), 1, f.texel, f.fx, f.fy);
}

}  // namespace standin
