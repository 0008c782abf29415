// One SURF chunk of either generation, read as the file holds it: the surface's name, the
// source surface it starts from (LWO2), the values the chunk sets, and its shaders in file
// order. Sub-chunks the preview does not use are passed over by their length; a sub-chunk
// or block that runs past what holds it, a value cut short or not a finite number, and an
// LWOB SDAT with no SHDR before it are refused as damage, by chunk and byte.
#ifndef PELORIX3_MODELS_SURFACE_CHUNK_H
#define PELORIX3_MODELS_SURFACE_CHUNK_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/triple.h"
#include "models/lwo_form.h"
#include "models/surface.h"

namespace models {

// The values one chunk sets; those it leaves unset come from its source surface or the
// defaults.
struct SurfaceSettings {
    std::optional<base::Triple> colour;
    std::optional<double> diffuse;
    std::optional<double> specular;
    std::optional<double> luminosity;
    std::optional<double> roughness;
    std::optional<double> smoothingAngle;  // radians, 0 to pi
};

struct ShaderBlock {
    ShaderEntry entry;
    std::string ordinal;  // LWO2: where the block runs among the others; LWOB: empty
    // In the file: the sub-chunk that holds the shader (LWO2 its BLOK, LWOB its SHDR) and the
    // one that holds its data (LWO2 FUNC, LWOB SDAT), when it has one.
    std::size_t offset = 0;
    std::optional<std::size_t> dataOffset;
};

struct SurfaceChunk {
    std::string name;
    std::string source;  // LWO2: the surface whose values this one starts from; often empty
    SurfaceSettings settings;
    std::vector<ShaderBlock> shaders;  // in file order
    std::string lastOrdinal;           // LWO2: the greatest of every block's ordinal
};

// The chunk `chunk` of `file`, whose generation is `generation`; `name` stands for the file
// in messages.
base::Result<SurfaceChunk> readSurfaceChunk(const LwoChunk& chunk, LwoGeneration generation,
                                            std::string_view file, const std::string& name);

}  // namespace models

#endif
