#include "models/surface_sources.h"

#include <algorithm>
#include <vector>

namespace models {
namespace {

// The surface's own chunk, then its source's, and so on.
std::vector<const SurfaceChunk*> sourceChain(const SurfaceChunk& own,
                                             const SurfaceChunkLookup& chunkOf) {
    std::vector<const SurfaceChunk*> chain{&own};
    while (chain.size() <= kSourceLevels && !chain.back()->source.empty()) {
        const SurfaceChunk* source = chunkOf(chain.back()->source);
        if (!source || std::find(chain.begin(), chain.end(), source) != chain.end()) break;
        chain.push_back(source);
    }
    return chain;
}

template <class T>
void take(const std::optional<T>& setting, T& value) {
    if (setting) value = *setting;
}

void apply(const SurfaceSettings& settings, Surface& surface) {
    take(settings.colour, surface.base.colour);
    take(settings.diffuse, surface.base.diffuse);
    take(settings.specular, surface.base.specular);
    take(settings.luminosity, surface.base.luminosity);
    take(settings.roughness, surface.base.roughness);
    take(settings.smoothingAngle, surface.smoothingAngle);
}

// A chunk's own shaders replace those of the same servers it started from.
void applyShaders(const SurfaceChunk& chunk, std::vector<ShaderBlock>& shaders) {
    std::erase_if(shaders, [&](const ShaderBlock& inherited) {
        return std::any_of(chunk.shaders.begin(), chunk.shaders.end(), [&](const ShaderBlock& own) {
            return own.entry.server == inherited.entry.server;
        });
    });
    shaders.insert(shaders.end(), chunk.shaders.begin(), chunk.shaders.end());
}

// The names of the chain's source surfaces, and the source its last chunk names when that
// surface has no chunk and the chain could go on to it.
std::vector<std::string> sourceNames(const std::vector<const SurfaceChunk*>& chain,
                                     const SurfaceChunkLookup& chunkOf) {
    std::vector<std::string> names;
    for (auto chunk = chain.begin() + 1; chunk != chain.end(); ++chunk)
        names.push_back((*chunk)->name);
    const std::string& next = chain.back()->source;
    if (chain.size() <= kSourceLevels && !next.empty() && !chunkOf(next)) names.push_back(next);
    return names;
}

}  // namespace

Surface resolveSurface(const std::string& name, const SurfaceChunkLookup& chunkOf) {
    Surface surface;
    surface.name = name;
    const SurfaceChunk* own = chunkOf(name);
    if (!own) return surface;
    surface.hasChunk = true;
    const std::vector<const SurfaceChunk*> chain = sourceChain(*own, chunkOf);
    surface.sources = sourceNames(chain, chunkOf);
    std::vector<ShaderBlock> shaders;
    for (auto chunk = chain.rbegin(); chunk != chain.rend(); ++chunk) {
        apply((*chunk)->settings, surface);
        applyShaders(**chunk, shaders);
        surface.lastOrdinal = std::max(surface.lastOrdinal, (*chunk)->lastOrdinal);
    }
    // Blocks run in the order of their ordinals, compared as unsigned bytes; LWOB's have
    // none and keep the file's order.
    std::stable_sort(
        shaders.begin(), shaders.end(),
        [](const ShaderBlock& a, const ShaderBlock& b) { return a.ordinal < b.ordinal; });
    for (ShaderBlock& block : shaders) surface.shaders.push_back(std::move(block.entry));
    return surface;
}

}  // namespace models
