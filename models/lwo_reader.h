// Reads the geometry of an object file of either generation, LWO2 or the older LWOB, from
// its bytes: every layer's points and polygons, the first texture map, and the surfaces
// with each polygon's. Chunks the preview does not use (bounding boxes, clips, ...) are
// passed over. A
// damaged file is refused with its name, the chunk at fault, where that chunk starts and
// what is wrong; no count in a file is trusted before it is checked against the bytes
// left, so the memory taken stays bounded by the file's size.
#ifndef PELORIX3_MODELS_LWO_READER_H
#define PELORIX3_MODELS_LWO_READER_H

#include <string>
#include <string_view>

#include "base/result.h"
#include "models/lwo_contents.h"

namespace models {

// `name` stands for the file in messages.
base::Result<LwoContents> readLwo(std::string_view file, const std::string& name);

}  // namespace models

#endif
