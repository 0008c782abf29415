// Grey pictures made in code, to drive a surface input with: each a square of 8-bit
// values (row 0 at the top) that tiles without a seam, 255 where the input is full and 0
// where it is empty. The burnout pattern is the one the burnout-velvet look ships as
// its map; the studio offers them all.
#ifndef PELORIX3_RENDER_PATTERNS_H
#define PELORIX3_RENDER_PATTERNS_H

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "render/texture_map.h"

namespace render {

struct PatternInfo {
    std::string_view name;
    std::string_view description;
};

inline constexpr std::array<PatternInfo, 4> kPatterns{{
    {"burnout",
     "flowers burnt out of the pile in half-drop rows, with lines of burnt-out dots between"},
    {"stripes", "soft bands across, half pile, half burnt out"},
    {"dots", "round spots of pile on a burnt-out ground"},
    {"checks", "squares of pile and burnt-out ground"},
}};

// The side the patterns are made at: a burnout motif is 64 texels across.
inline constexpr int kPatternSize = 384;

// The pattern's size × size values; nothing for a name that is no pattern's.
std::optional<std::vector<unsigned char>> makePattern(std::string_view name, int size);

// The same as a grey map, each value / 255.
std::optional<TextureMap> patternMap(std::string_view name, int size = kPatternSize);

}  // namespace render

#endif
