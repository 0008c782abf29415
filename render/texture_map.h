// A picture that drives a surface input across the subject: its texels' values from 0 to
// 1, one per texel for a grey map, three (red, green, blue) for a colour map, row 0 at the
// top. It is sampled bilinearly at texture coordinates (u, v) and repeats in both
// directions: u runs from the picture's left edge (0) to its right edge (1), v from its
// bottom edge (0) to its top edge (1), as model files give them.
#ifndef PELORIX3_RENDER_TEXTURE_MAP_H
#define PELORIX3_RENDER_TEXTURE_MAP_H

#include <optional>
#include <vector>

#include "host/triple.h"

namespace standin {

class TextureMap {
public:
    // Nothing when `values` does not hold width × height × channels values, channels is
    // not 1 or 3, or a side is not positive.
    static std::optional<TextureMap> create(int width, int height, int channels,
                                            std::vector<float> values);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isGrey() const { return rgb_.empty(); }

    // The colour at (u, v): a grey map's value in all three components.
    Triple colorAt(double u, double v) const;
    // The value at (u, v): a colour map's luminance (0.2126 red + 0.7152 green + 0.0722
    // blue, the weights of the sRGB primaries).
    double valueAt(double u, double v) const;

private:
    TextureMap(int width, int height) : width_(width), height_(height) {}

    // The four texels around (u, v) and the weights of the right and lower ones.
    struct Footprint {
        std::size_t texel[4];  // upper left, upper right, lower left, lower right
        double fx;
        double fy;
    };
    Footprint footprint(double u, double v) const;

    int width_;
    int height_;
    std::vector<float> grey_;  // a grey map's values, a colour map's luminance
    std::vector<float> rgb_;   // a colour map's values; empty for a grey map
};

}  // namespace standin

#endif
