// A PNG file read as a surface map. A grey picture (with or without alpha) gives a grey
// map, a colour or palette picture a colour map; each texel's value is its 8-bit value /
// 255, or its 16-bit value / 65535, as it is stored: the file's gamma and colour chunks
// are passed over, since a map holds the input's own values. Alpha is passed over too.
// The map keeps the picture's components as they are decoded (one byte each for 8 bits or
// fewer, two for 16), with nothing else beside them.
#ifndef PELORIX3_TOOLS_PREVIEW_MAP_IMAGE_H
#define PELORIX3_TOOLS_PREVIEW_MAP_IMAGE_H

#include <cstddef>
#include <functional>
#include <string>

#include "base/result.h"
#include "render/texture_map.h"

namespace preview {

// The longest side a map may have.
inline constexpr int kMaxMapSide = 8192;

// What a map will be, known from the picture's header before it is decoded.
struct MapShape {
    int width = 0;
    int height = 0;
    int channels = 0;       // 1 grey, 3 colour
    int componentBits = 0;  // 8 or 16
    std::size_t bytes() const;
};

// Says whether a map of that shape may be decoded; its failure is the refusal.
using MapAdmission = std::function<base::Status(const MapShape& shape)>;

// Decodes `bytes`; a failure naming the file (`name`) when they are not a PNG picture of
// at most kMaxMapSide pixels a side, or when `admit` refuses the map.
base::Result<render::TextureMap> decodeMapImage(const std::string& bytes, const std::string& name,
                                                const MapAdmission& admit = {});

}  // namespace preview

#endif
