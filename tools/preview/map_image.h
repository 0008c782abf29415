// A PNG file read as a surface map. A grey picture (with or without alpha) gives a grey
// map, a colour or palette picture a colour map; each texel's value is its 8-bit value /
// 255, or its 16-bit value / 65535, as it is stored: the file's gamma and colour chunks
// are passed over, since a map holds the input's own values. Alpha is passed over too.
#ifndef PELORIX3_TOOLS_PREVIEW_MAP_IMAGE_H
#define PELORIX3_TOOLS_PREVIEW_MAP_IMAGE_H

#include <string>

#include "host/result.h"
#include "render/texture_map.h"

namespace preview {

// The longest side a map may have.
inline constexpr int kMaxMapSide = 8192;

// Decodes `bytes`; a failure naming the file (`name`) when they are not a PNG picture of
// at most kMaxMapSide pixels a side.
standin::Result<standin::TextureMap> decodeMapImage(const std::string& bytes,
                                                    const std::string& name);

}  // namespace preview

#endif
