// A look written into one surface's SURF chunk: the module's shader entry carries the stored
// block, and the base values, when given, replace those the chunk has (an envelope that
// follows a value stays) and are added where it has none. Every other sub-chunk keeps its
// bytes; lengths and pad bytes are recomputed.
//
// The entry that carries the block is the one the reader runs the module with, when the
// chunk itself has it: its data is replaced (an LWOB SHDR without an SDAT gets one after it).
// Otherwise a new one follows the chunk's other sub-chunks: LWOB an SHDR and its SDAT; LWO2 a
// shader block whose ordinal sorts after every other block of the surface (its greatest
// ordinal with 0x80 appended, or 0x80 alone), switched on.
#ifndef PELORIX3_MODELS_SURFACE_REWRITE_H
#define PELORIX3_MODELS_SURFACE_REWRITE_H

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "models/lwo_form.h"
#include "models/stored_block.h"
#include "models/value_fields.h"

namespace models {

struct SurfaceLook {
    StoredBlock block;
    std::vector<ValueField> values;  // empty: the base values are left as they are
    // LWO2: the surface's greatest block ordinal, its source surfaces' included.
    std::string lastOrdinal;
};

// The new data of `chunk`, a SURF chunk of `file` read without fault; `name` stands for the
// file in messages. Fails when a length outgrows its field.
base::Result<std::string> rewrittenSurfaceData(const LwoChunk& chunk, LwoGeneration generation,
                                               std::string_view file, const std::string& name,
                                               const SurfaceLook& look);

// The data of a SURF chunk for a surface the file has none for.
base::Result<std::string> newSurfaceData(LwoGeneration generation, const std::string& surface,
                                         const SurfaceLook& look);

}  // namespace models

#endif
