// A picture that drives a surface input across the subject: its texels' values from 0 to
// 1, one per texel for a grey map, three (red, green, blue) for a colour map, row 0 at the
// top. It is sampled bilinearly at texture coordinates (u, v) and repeats in both
// directions: u runs from the picture's left edge (0) to its right edge (1), v from its
// bottom edge (0) to its top edge (1), as model files give them.
//
// A map keeps its components as its picture has them: 8 bits each (value / 255) for an
// 8-bit picture, 16 bits each (value / 65535) for a 16-bit one, single-precision values for
// a map made in code; so a colour map of 8 bits takes three bytes a texel, a grey one one.
#ifndef PELORIX3_RENDER_TEXTURE_MAP_H
#define PELORIX3_RENDER_TEXTURE_MAP_H

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "base/triple.h"

namespace render {

class TextureMap {
public:
    // Nothing when `values` does not hold width × height × channels values, channels is
    // not 1 or 3, or a side is not positive.
    static std::optional<TextureMap> create(int width, int height, int channels,
                                            std::vector<float> values);
    // The same from a picture's 8-bit or 16-bit components, kept as they are.
    static std::optional<TextureMap> createFrom8Bit(int width, int height, int channels,
                                                    std::vector<std::uint8_t> components);
    static std::optional<TextureMap> createFrom16Bit(int width, int height, int channels,
                                                     std::vector<std::uint16_t> components);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isGrey() const { return channels_ == 1; }
    // What its texels take in memory.
    std::size_t bytes() const;

    // The colour at (u, v): a grey map's value in all three components.
    base::Triple colorAt(double u, double v) const;
    // The value at (u, v): a colour map's luminance (0.2126 red + 0.7152 green + 0.0722
    // blue, the weights of the sRGB primaries).
    double valueAt(double u, double v) const;

private:
    using Components =
        std::variant<std::vector<std::uint8_t>, std::vector<std::uint16_t>, std::vector<float>>;

    TextureMap(int width, int height, int channels, Components components)
        : width_(width), height_(height), channels_(channels), components_(std::move(components)) {}
    template <typename Component>
    static std::optional<TextureMap> made(int width, int height, int channels,
                                          std::vector<Component> components);

    // The four texels around (u, v) and the weights of the right and lower ones.
    struct Footprint {
        std::size_t texel[4];  // upper left, upper right, lower left, lower right
        double fx;
        double fy;
    };
    Footprint footprint(double u, double v) const;

    int width_;
    int height_;
    int channels_;
    Components components_;
};

}  // namespace render

#endif
