#include "tools/preview/preview_inputs.h"

#include <memory>

#include "looks/input_file.h"
#include "tools/preview/map_image.h"

namespace preview {
namespace {

// A map's picture: a PNG file, read whole and decoded once, as every worker shares it.
inline constexpr InputKind kMapInput{"a PNG map", std::size_t{256} << 20, false};

standin::Status readMap(standin::SurfaceMaps& maps, standin::SurfaceInput input,
                        const std::string& path) {
    standin::Result<std::string> bytes = readInputFile(path, kMapInput);
    if (!bytes) return standin::Status::failure(bytes.error());
    standin::Result<standin::TextureMap> map = decodeMapImage(bytes.value(), inputName(path));
    if (!map) return standin::Status::failure(map.error());
    maps.of(input) = std::make_shared<const standin::TextureMap>(std::move(map.value()));
    return standin::succeeded();
}

// The look's maps, then the command line's constants and maps over them.
standin::Status readSurface(const PreviewOptions& options, PreviewInputs& inputs) {
    SurfaceInputs& surface = inputs.scene.surface;
    if (inputs.preset) {
        for (const LookMap& map : inputs.preset->maps) {
            if (standin::Status read = readMap(surface.maps, map.input, map.path); !read)
                return read;
        }
    }
    surface = options.surface.appliedTo(surface);
    for (const MapOption& map : options.maps) {
        if (standin::Status read = readMap(surface.maps, map.input, map.path); !read) return read;
    }
    return standin::succeeded();
}

}  // namespace

standin::Result<PreviewInputs> readInputs(const PreviewOptions& options) {
    using InputsResult = standin::Result<PreviewInputs>;
    PreviewInputs inputs;
    inputs.scene = options.scene;
    if (!options.presetName.empty()) {
        standin::Result<Preset> preset = readPreset(defaultPresetsFolder(), options.presetName);
        if (!preset) return InputsResult::failure(preset.error());
        inputs.scene.surface = preset->surface;
        inputs.preset = std::move(preset.value());
    }
    if (standin::Status surface = readSurface(options, inputs); !surface) {
        return InputsResult::failure(surface.error());
    }
    if (options.scene.subject == SubjectKind::Mesh) {
        standin::Result<std::string> text = readInputFile(options.modelPath, kModelInput);
        if (!text) return InputsResult::failure(text.error());
        inputs.scene.meshName = inputName(options.modelPath);
        inputs.scene.meshText = std::make_shared<const std::string>(std::move(text.value()));
    }
    if (!options.loadPath.empty()) {
        standin::Result<ParameterFile> file = readParameterFile(options.loadPath, options.loadMode);
        if (!file) return InputsResult::failure(file.error());
        inputs.loaded = std::move(file.value());
    }
    return InputsResult::success(std::move(inputs));
}

}  // namespace preview
