#include "tools/preview/compared_looks.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/message_text.h"
#include "looks/input_file.h"
#include "looks/panel_range.h"
#include "looks/preset.h"
#include "tools/preview/look_surface.h"

namespace preview {
namespace {

std::vector<std::string> lookNames() {
    base::Result<std::vector<std::string>> names =
        looks::presetNames(looks::defaultPresetsFolder());
    return names ? std::move(names.value()) : std::vector<std::string>{};
}

bool isLook(const std::vector<std::string>& looks, const std::string& name) {
    return std::find(looks.begin(), looks.end(), name) != looks.end();
}

using LookResult = base::Result<ComparedLook>;

LookResult readFromFile(const std::string& path, const PreviewOptions& options,
                        const SurfaceInputs& surface, const std::vector<std::string>& looks) {
    std::error_code error;
    if (path != looks::kStandardStream && path.find('/') == std::string::npos &&
        !std::filesystem::exists(path, error)) {
        return LookResult::failure(
            "--compare: \"" + path +
            "\" is neither a named look nor a file (the looks: " + base::listed(looks) + ")");
    }
    const base::Result<looks::ParameterFile> file =
        looks::readParameterFile(path, options.loadMode);
    if (!file) return LookResult::failure(file.error());
    return LookResult::success(
        {looks::inputName(path), options.parameters.appliedTo(file->block), surface});
}

LookResult readFromLook(const std::string& name, const PreviewOptions& options,
                        const render::SurfaceMaps& given, MapLibrary& library) {
    const base::Result<looks::Preset> look = looks::readPreset(looks::defaultPresetsFolder(), name);
    if (!look) return LookResult::failure(look.error());
    base::Result<SurfaceInputs> surface =
        lookSurface(&look.value(), look->surface, options, given, library);
    if (!surface) return LookResult::failure(surface.error());
    return LookResult::success(
        {name, options.parameters.appliedTo(look->parameters.block), std::move(surface.value())});
}

// Values the panel cannot show are kept, as for every other source of parameters, with
// the same warning.
void warnOutOfPanelRange(const ComparedLook& look) {
    for (const std::string& warning : looks::outOfPanelRange(look.parameters)) {
        std::fprintf(stderr, "pelorix3-preview: warning: %s: %s\n", look.label.c_str(),
                     warning.c_str());
    }
}

}  // namespace

std::vector<std::string> comparedFiles(const std::vector<std::string>& names) {
    const std::vector<std::string> looks = lookNames();
    std::vector<std::string> files;
    for (const std::string& name : names) {
        if (!isLook(looks, name)) {
            files.push_back(name);
            continue;
        }
        const std::vector<std::string> look = looks::lookFiles(looks::defaultPresetsFolder(), name);
        files.insert(files.end(), look.begin(), look.end());
    }
    return files;
}

base::Result<std::vector<ComparedLook>> readComparedLooks(const PreviewOptions& options,
                                                          const SurfaceInputs& surface,
                                                          const render::SurfaceMaps& given,
                                                          MapLibrary& library) {
    using Outcome = base::Result<std::vector<ComparedLook>>;
    const std::vector<std::string> looks = lookNames();
    std::vector<ComparedLook> compared;
    for (const std::string& name : options.compared) {
        LookResult look = isLook(looks, name) ? readFromLook(name, options, given, library)
                                              : readFromFile(name, options, surface, looks);
        if (!look) return Outcome::failure(look.error());
        warnOutOfPanelRange(look.value());
        compared.push_back(std::move(look.value()));
    }
    return Outcome::success(std::move(compared));
}

}  // namespace preview
