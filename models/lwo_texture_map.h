// The texture map chunks of an LWO2 file: VMAP (a value for each of some points) and VMAD
// (a value for some corners of some polygons). Each starts with the map's type, its
// dimension and its name; only the first map of type TXUV and dimension 2 (u, v) in the
// file is read, in every layer that has it, and the others are passed over.
#ifndef PELORIX3_MODELS_LWO_TEXTURE_MAP_H
#define PELORIX3_MODELS_LWO_TEXTURE_MAP_H

#include <cstddef>
#include <string>

#include "base/result.h"
#include "models/lwo_contents.h"
#include "models/lwo_form.h"

namespace models {

enum class LwoMapKind { Points, Corners };  // VMAP, VMAD

// Values for points or corners the layer does not have are counted in
// `texcoords.unmatched`; `pointCount` is the number of points of the file so far.
base::Status readTextureMap(const LwoChunk& chunk, LwoMapKind kind, const LwoLayer& layer,
                            std::size_t pointCount, LwoTexcoords& texcoords,
                            const std::string& name);

}  // namespace models

#endif
