#include "tools/preview/option_warnings.h"

#include <algorithm>

#include "looks/input_file.h"
#include "looks/panel_range.h"
#include "tools/preview/sheets.h"

namespace preview {

std::vector<std::string> unusedOptions(const PreviewOptions& options, const SceneSettings& scene,
                                       bool creaseAngleUsed) {
    std::vector<std::string> warnings;
    if (options.creaseGiven && !creaseAngleUsed) {
        warnings.push_back(scene.subject == SubjectKind::Mesh
                               ? "--crease is not used: " + scene.meshName +
                                     " gives its own normal at every corner of its triangles"
                               : "--crease is not used: it applies to a model from --mesh only");
    }
    const bool sheets = !options.sheetPath.empty() || !options.switchSheetPath.empty();
    if (options.sizeGiven && sheets) {
        warnings.push_back(
            "--width and --height size the preview only; each cell of a contact sheet is " +
            std::to_string(kSheetCellWidth) + " x " + std::to_string(kSheetCellHeight) + " pixels");
    }
    return warnings;
}

std::optional<std::string> loadedBlockNote(const PreviewOptions& options) {
    const bool surfaceUsed = options.wantsRender() || !options.sheetPath.empty() ||
                             !options.switchSheetPath.empty() || !options.saveLookPath.empty();
    if (options.loadPath.empty() || !surfaceUsed) return std::nullopt;
    bool allGiven = true;
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        const auto input = static_cast<render::SurfaceInput>(i);
        allGiven =
            allGiven && (options.surface.gives(input) ||
                         std::any_of(options.maps.begin(), options.maps.end(),
                                     [input](const MapOption& m) { return m.input == input; }));
    }
    if (allGiven) return std::nullopt;
    return looks::inputName(options.loadPath) +
           " holds the shader's stored values only; the surface inputs (color, diffuse, "
           "specular, luminous, roughness) are the scene's and the options'. A look's own come "
           "with --preset NAME in place of --load, and --save-look DIR keeps both together";
}

std::vector<std::string> sceneColoursOutOfRange(const SceneSettings& scene) {
    std::vector<std::string> warnings;
    for (const auto& [name, colour] :
         {std::pair<const char*, const Triple&>{"surface colour", scene.surface.color},
          {"key light colour", scene.keyColor},
          {"rim light colour", scene.rimColor},
          {"ambient colour", scene.ambient}}) {
        const std::vector<std::string> found = looks::outOfColourRange(name, colour);
        warnings.insert(warnings.end(), found.begin(), found.end());
    }
    return warnings;
}

}  // namespace preview
