#include "render/texture_map.h"

#include <array>
#include <cmath>

namespace render {
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

// A component's value, in single precision as the picture's value / 255 or / 65535.
const std::array<float, 256> kEightBitValues = [] {
    std::array<float, 256> values{};
    for (int i = 0; i < 256; ++i) values[i] = static_cast<float>(i / 255.0);
    return values;
}();

float valueOf(std::uint8_t component) { return kEightBitValues[component]; }
float valueOf(std::uint16_t component) { return static_cast<float>(component / 65535.0); }
float valueOf(float component) { return component; }

// The luminance of a colour texel, in single precision.
template <typename Component>
float luminance(const Component* rgb) {
    return static_cast<float>(0.2126 * valueOf(rgb[0]) + 0.7152 * valueOf(rgb[1]) +
                              0.0722 * valueOf(rgb[2]));
}

double bilinear(const float corners[4], double fx, double fy) {
    const double top = corners[0] * (1.0 - fx) + corners[1] * fx;
    const double bottom = corners[2] * (1.0 - fx) + corners[3] * fx;
    return top * (1.0 - fy) + bottom * fy;
}

// Component `c` of each of the four texels, `channels` components a texel.
template <typename Component>
double bilinearOf(const std::vector<Component>& components, int channels, int c,
                  const std::size_t texel[4], double fx, double fy) {
    float corners[4];
    for (int k = 0; k < 4; ++k) {
        corners[k] = valueOf(components[texel[k] * static_cast<std::size_t>(channels) +
                                        static_cast<std::size_t>(c)]);
    }
    return bilinear(corners, fx, fy);
}

}  // namespace

template <typename Component>
std::optional<TextureMap> TextureMap::made(int width, int height, int channels,
                                           std::vector<Component> components) {
    if (width <= 0 || height <= 0 || (channels != 1 && channels != 3)) return std::nullopt;
    const std::size_t texels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (components.size() != texels * static_cast<std::size_t>(channels)) return std::nullopt;
    return TextureMap(width, height, channels, std::move(components));
}

std::optional<TextureMap> TextureMap::create(int width, int height, int channels,
                                             std::vector<float> values) {
    return made(width, height, channels, std::move(values));
}

std::optional<TextureMap> TextureMap::createFrom8Bit(int width, int height, int channels,
                                                     std::vector<std::uint8_t> components) {
    return made(width, height, channels, std::move(components));
}

std::optional<TextureMap> TextureMap::createFrom16Bit(int width, int height, int channels,
                                                      std::vector<std::uint16_t> components) {
    return made(width, height, channels, std::move(components));
}

std::size_t TextureMap::bytes() const {
    return std::visit(
        [](const auto& components) { return components.size() * sizeof(components[0]); },
        components_);
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

base::Triple TextureMap::colorAt(double u, double v) const {
    const Footprint f = footprint(u, v);
    return std::visit(
        [this, &f](const auto& components) -> base::Triple {
            if (isGrey()) {
                const double grey = bilinearOf(components, 1, 0, f.texel, f.fx, f.fy);
                return {grey, grey, grey};
            }
            return {bilinearOf(components, 3, 0, f.texel, f.fx, f.fy),
                    bilinearOf(components, 3, 1, f.texel, f.fx, f.fy),
                    bilinearOf(components, 3, 2, f.texel, f.fx, f.fy)};
        },
        components_);
}

double TextureMap::valueAt(double u, double v) const {
    const Footprint f = footprint(u, v);
    return std::visit(
        [this, &f](const auto& components) {
            if (isGrey()) return bilinearOf(components, 1, 0, f.texel, f.fx, f.fy);
            float corners[4];
            for (int k = 0; k < 4; ++k) corners[k] = luminance(&components[3 * f.texel[k]]);
            return bilinear(corners, f.fx, f.fy);
        },
        components_);
}

}  // namespace render
