#include "tools/preview/look_surface.h"

#include <memory>

#include "looks/input_file.h"
#include "tools/preview/map_image.h"

namespace preview {
namespace {

standin::Status readMap(standin::SurfaceMaps& maps, standin::SurfaceInput input,
                        const std::string& path) {
    standin::Result<std::string> bytes = readInputFile(path, kMapInput);
    if (!bytes) return standin::Status::failure(bytes.error());
    standin::Result<standin::TextureMap> map = decodeMapImage(bytes.value(), inputName(path));
    if (!map) return standin::Status::failure(map.error());
    maps.of(input) = std::make_shared<const standin::TextureMap>(std::move(map.value()));
    return standin::succeeded();
}

}  // namespace

standin::Result<standin::SurfaceMaps> commandLineMaps(const PreviewOptions& options) {
    using Outcome = standin::Result<standin::SurfaceMaps>;
    standin::SurfaceMaps maps;
    for (const MapOption& map : options.maps) {
        if (standin::Status read = readMap(maps, map.input, map.path); !read)
            return Outcome::failure(read.error());
    }
    return Outcome::success(std::move(maps));
}

standin::Result<SurfaceInputs> lookSurface(const Preset* look, const SurfaceInputs& start,
                                           const PreviewOptions& options,
                                           const standin::SurfaceMaps& given) {
    using Outcome = standin::Result<SurfaceInputs>;
    SurfaceInputs surface = start;
    if (look) {
        for (const LookMap& map : look->maps) {
            if (standin::Status read = readMap(surface.maps, map.input, map.path); !read)
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
