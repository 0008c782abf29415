#include "tools/preview/look_surface.h"

#include <memory>

namespace preview {
namespace {

base::Status readMap(render::SurfaceMaps& maps, render::SurfaceInput input, const std::string& path,
                     MapLibrary& library) {
    base::Result<std::shared_ptr<const render::TextureMap>> map = library.map(path, input);
    if (!map) return base::Status::failure(map.error());
    maps.of(input) = std::move(map.value());
    return base::succeeded();
}

}  // namespace

base::Result<render::SurfaceMaps> commandLineMaps(const PreviewOptions& options,
                                                  MapLibrary& library) {
    using Outcome = base::Result<render::SurfaceMaps>;
    render::SurfaceMaps maps;
    for (const MapOption& map : options.maps) {
        if (base::Status read = readMap(maps, map.input, map.path, library); !read)
            return Outcome::failure(read.error());
    }
    return Outcome::success(std::move(maps));
}

base::Result<SurfaceInputs> lookSurface(const looks::Preset* look, const SurfaceInputs& start,
                                        const PreviewOptions& options,
                                        const render::SurfaceMaps& given, MapLibrary& library) {
    using Outcome = base::Result<SurfaceInputs>;
    SurfaceInputs surface = start;
    if (look) {
        for (const looks::LookMap& map : look->maps) {
            if (base::Status read = readMap(surface.maps, map.input, map.path, library); !read)
                return Outcome::failure(read.error());
        }
    }
    surface = options.surface.appliedTo(surface);
    for (std::size_t input = 0; input < given.maps.size(); ++input) {
        if (given.maps[input]) surface.maps.maps[input] = given.maps[input];
    }
    return Outcome::success(std::move(surface));
}

}  // namespace preview
