#include "tools/preview/preview_inputs.h"

#include <memory>

#include "looks/input_file.h"
#include "tools/preview/look_surface.h"

namespace preview {
namespace {

// What to do when the model has no texture coordinates for the surface's first map,
// which comes from --map or from the look.
std::string untexturedMapAdvice(const PreviewOptions& options, const PreviewInputs& inputs) {
    const std::optional<render::SurfaceInput> mapped = inputs.scene.surface.maps.firstMapped();
    if (!mapped) return {};
    const std::string name(render::nameOf(*mapped));
    std::string origin = inputs.preset ? "the look " + inputs.preset->name : "the look";
    for (const MapOption& map : options.maps) {
        if (map.input == *mapped) origin = "--map " + name + "=" + map.path;
    }
    const char* value = *mapped == render::SurfaceInput::Color ? " R,G,B" : " VALUE";
    return "The map comes from " + origin + ": give a model with texture coordinates, or --" +
           name + value + " in place of the map";
}

}  // namespace

base::Result<PreviewInputs> readInputs(const PreviewOptions& options) {
    using InputsResult = base::Result<PreviewInputs>;
    PreviewInputs inputs;
    inputs.scene = options.scene;
    if (!options.presetName.empty()) {
        base::Result<looks::Preset> preset =
            looks::readNamedLook(looks::defaultPresetsFolder(), options.presetName);
        if (!preset) return InputsResult::failure(preset.error());
        inputs.scene.surface = preset->surface;
        inputs.preset = std::move(preset.value());
    }
    MapLibrary maps;
    const base::Result<render::SurfaceMaps> given = commandLineMaps(options, maps);
    if (!given) return InputsResult::failure(given.error());
    base::Result<SurfaceInputs> surface =
        lookSurface(inputs.preset ? &*inputs.preset : nullptr, inputs.scene.surface, options,
                    given.value(), maps);
    if (!surface) return InputsResult::failure(surface.error());
    inputs.scene.surface = std::move(surface.value());
    inputs.scene.untexturedMapAdvice = untexturedMapAdvice(options, inputs);
    if (options.scene.subject == SubjectKind::Mesh) {
        base::Result<std::string> text =
            looks::readInputFile(options.modelPath, looks::kModelInput);
        if (!text) return InputsResult::failure(text.error());
        inputs.scene.meshName = looks::inputName(options.modelPath);
        inputs.scene.meshText = std::make_shared<const std::string>(std::move(text.value()));
    }
    if (!options.loadPath.empty()) {
        base::Result<looks::ParameterFile> file =
            looks::readParameterFile(options.loadPath, options.loadMode);
        if (!file) return InputsResult::failure(file.error());
        inputs.loaded = std::move(file.value());
    }
    if (!options.compared.empty()) {
        base::Result<std::vector<ComparedLook>> compared =
            readComparedLooks(options, inputs.scene.surface, given.value(), maps);
        if (!compared) return InputsResult::failure(compared.error());
        inputs.compared = std::move(compared.value());
    }
    return InputsResult::success(std::move(inputs));
}

}  // namespace preview
