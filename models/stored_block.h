// The module's stored block in a surface. The renderer saves objects in its binary mode, so
// the data of the module's shader entry is the seven stored values as four-byte big-endian
// floats: 28 bytes. Data of any other length is not guessed at: it is reported by the
// surface's name.
#ifndef PELORIX3_MODELS_STORED_BLOCK_H
#define PELORIX3_MODELS_STORED_BLOCK_H

#include <array>
#include <cstddef>
#include <optional>

#include "base/result.h"
#include "models/surface.h"

namespace models {

// The name the module's shader registers, which a surface's shader entry names.
inline constexpr const char* kModuleServer = "pelorix3";
inline constexpr std::size_t kStoredBlockBytes = 28;

using StoredBlock = std::array<unsigned char, kStoredBlockBytes>;

// The entry the renderer runs the module with: the first enabled one named for it, or null.
const ShaderEntry* moduleEntry(const Surface& surface);

// That entry's stored block; nothing when the surface does not run the module; a failure
// naming the surface when the entry's data is not 28 bytes.
base::Result<std::optional<StoredBlock>> storedBlockOf(const Surface& surface);

}  // namespace models

#endif
