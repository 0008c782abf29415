#include "models/surface_chunk.h"

#include "models/surface_chunk_parts.h"

namespace models {
namespace {

using ChunkResult = base::Result<SurfaceChunk>;

// The chunk's leading zero-terminated string, `what` in the message when it has no end.
base::Result<std::string> leadingName(LwoBytes& data, const SurfaceChunkSource& source,
                                      const std::string& what) {
    const std::optional<std::string_view> text = data.s0();
    if (!text) {
        return base::Result<std::string>::failure(
            chunkDamage(source.name, source.chunk,
                        what + " has no zero byte to end it within the chunk")
                .error());
    }
    return base::Result<std::string>::success(std::string(*text));
}

}  // namespace

ChunkResult readSurfaceChunk(const LwoChunk& chunk, LwoGeneration generation, std::string_view file,
                             const std::string& name) {
    const SurfaceChunkSource source{chunk, file, name};
    const bool lwo2 = generation == LwoGeneration::Lwo2;
    LwoBytes data = chunk.data;
    SurfaceChunk surface;
    base::Result<std::string> surfaceName = leadingName(data, source, "the surface's name");
    if (!surfaceName) return ChunkResult::failure(surfaceName.error());
    surface.name = std::move(surfaceName.value());
    if (lwo2) {
        base::Result<std::string> sourceName =
            leadingName(data, source, "the name of its source surface");
        if (!sourceName) return ChunkResult::failure(sourceName.error());
        surface.source = std::move(sourceName.value());
    }
    SubChunks subs(chunk, data, "the surface", name);
    LwobChunkState lwobState;
    for (;;) {
        base::Result<std::optional<SubChunk>> sub = subs.next();
        if (!sub) return ChunkResult::failure(sub.error());
        if (!sub.value()) break;
        const base::Status read = lwo2 ? readLwo2SubChunk(source, *sub.value(), surface)
                                       : readLwobSubChunk(source, *sub.value(), surface, lwobState);
        if (!read) return ChunkResult::failure(read.error());
    }
    if (!lwo2) finishLwobChunk(lwobState, surface);
    return ChunkResult::success(std::move(surface));
}

}  // namespace models
