#include "tools/preview/option_warnings.h"

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

std::vector<std::string> sceneColoursOutOfRange(const SceneSettings& scene) {
    std::vector<std::string> warnings;
    for (const auto& [name, colour] :
         {std::pair<const char*, const Triple&>{"surface colour", scene.surface.color},
          {"key light colour", scene.keyColor},
          {"rim light colour", scene.rimColor},
          {"ambient colour", scene.ambient}}) {
        const std::vector<std::string> found = outOfColourRange(name, colour);
        warnings.insert(warnings.end(), found.begin(), found.end());
    }
    return warnings;
}

}  // namespace preview
