// A surface as the renderer sets it up from its SURF chunk: an LWO2 surface starts from the
// values of its source surface (which may have a source of its own), then takes the values
// its own chunk sets. Sources are followed a few levels deep, never round a circle, and a
// source with no SURF chunk adds nothing; a surface with no chunk has every default.
#ifndef PELORIX3_MODELS_SURFACE_SOURCES_H
#define PELORIX3_MODELS_SURFACE_SOURCES_H

#include <functional>
#include <string>

#include "models/surface.h"
#include "models/surface_chunk.h"

namespace models {

// How many source surfaces, one behind the other, a surface may start from.
inline constexpr int kSourceLevels = 4;

// The first SURF chunk of the surface named so, or null.
using SurfaceChunkLookup = std::function<const SurfaceChunk*(const std::string& name)>;

Surface resolveSurface(const std::string& name, const SurfaceChunkLookup& chunkOf);

}  // namespace models

#endif
