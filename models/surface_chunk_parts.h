// The sub-chunks of a SURF chunk, one generation at a time: what surface_chunk.cpp hands each
// sub-chunk to after reading the chunk's names.
#ifndef PELORIX3_MODELS_SURFACE_CHUNK_PARTS_H
#define PELORIX3_MODELS_SURFACE_CHUNK_PARTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "models/sub_chunks.h"
#include "models/surface_chunk.h"

namespace models {

// The chunk being read, the file that holds it and the file's name, for messages.
struct SurfaceChunkSource {
    const LwoChunk& chunk;
    std::string_view file;
    const std::string& name;

    // The bytes left in `span`, as the file holds them.
    std::string_view bytesOf(const LwoBytes& span) const {
        return file.substr(span.offset(), span.left());
    }
};

// The fractions an LWOB chunk gives in their two-byte forms, which those in F4 replace
// wherever they come in the chunk; and its options (FLAG) and smoothing angle (SMAN, in
// radians), which smooths only where the options have the smoothing bit.
struct LwobChunkState {
    SurfaceSettings twoByteForms;
    std::optional<std::uint16_t> options;
    std::optional<double> smoothingAngle;
};

base::Status readLwo2SubChunk(const SurfaceChunkSource& source, const SubChunk& sub,
                              SurfaceChunk& surface);
base::Status readLwobSubChunk(const SurfaceChunkSource& source, const SubChunk& sub,
                              SurfaceChunk& surface, LwobChunkState& state);
// After the last sub-chunk: the two-byte fractions where no F4 form replaces them, and the
// smoothing angle, 0 (flat) unless the options have the smoothing bit.
void finishLwobChunk(const LwobChunkState& state, SurfaceChunk& surface);

}  // namespace models

#endif
