// The maps one run of the tool reads, for the preview and every look it compares: each
// file read and decoded once however many looks name it, and all of them within one bound
// of memory. A map that would pass the bound is refused from its picture's header, before
// it is decoded and before any render, naming the file, the input and the bound. Render
// workers begin as copies of the process once the maps are read, so the maps are held
// once for all of them.
#ifndef PELORIX3_TOOLS_PREVIEW_MAP_LIBRARY_H
#define PELORIX3_TOOLS_PREVIEW_MAP_LIBRARY_H

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "base/result.h"
#include "render/surface_maps.h"

namespace preview {

// What the maps of one run may take in all: five colour maps of 8192 x 8192 and 8 bits a
// component (960 MiB) fit; two such maps of 16 bits a component and three of 8 do not.
inline constexpr std::size_t kMapMemoryBound = std::size_t{1} << 30;

class MapLibrary {
public:
    explicit MapLibrary(std::size_t bound = kMapMemoryBound) : bound_(bound) {}

    // The map of the file at `path` for `input`, read and decoded the first time it is
    // asked for; a failure naming the file.
    base::Result<std::shared_ptr<const render::TextureMap>> map(const std::string& path,
                                                                render::SurfaceInput input);

    // What the maps read so far take.
    std::size_t bytesHeld() const { return held_; }

private:
    std::size_t bound_;
    std::size_t held_ = 0;
    std::map<std::string, std::shared_ptr<const render::TextureMap>> read_;
};

}  // namespace preview

#endif
