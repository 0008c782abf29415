#include "tools/preview/look_folder.h"

#include <algorithm>
#include <filesystem>

#include "base/message_text.h"
#include "looks/input_file.h"
#include "looks/look_text.h"
#include "tools/preview/parameter_save.h"
#include "tools/preview/temporary_folder.h"

namespace preview {
namespace {

constexpr const char* kParametersName = "parameters.txt";
constexpr const char* kLookName = "look.txt";

// look.txt with a first comment that says where the look came from; each map under the
// name it has in the folder.
std::string lookFileText(const LookToSave& look, const std::vector<std::string>& mapNames) {
    std::vector<looks::LookMap> maps;
    for (std::size_t i = 0; i < look.maps.size(); ++i)
        maps.push_back({look.maps[i].input, mapNames[i]});
    // The origin may hold any bytes (a folder's path): escaped, it stays one comment line.
    return "# saved by pelorix3-preview --save-look from " + base::escaped(look.origin) + "\n" +
           looks::lookText(look.description, look.surface, maps);
}

// Whether the look file's reader reads `name` back as it is: it ends a line at a line break
// and trims blanks from a value's ends.
bool readsBackAsItIs(const std::string& name) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; };
    return name.front() != ' ' && name.back() != ' ' &&
           std::none_of(name.begin(), name.end(), control);
}

// A name a look's map may have, beside the look's own two files.
bool isFreeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('\\') == std::string::npos &&
           name != kParametersName && name != kLookName && readsBackAsItIs(name);
}

using Saved = base::Result<std::vector<std::string>>;

}  // namespace

LookToSave lookOfRun(const PreviewOptions& options, const PreviewInputs& inputs) {
    LookToSave look;
    look.surface = inputs.scene.surface;
    look.surface.maps = {};
    look.description = inputs.preset ? inputs.preset->description : "a look of your own";
    look.origin = inputs.preset ? "the look " + inputs.preset->name + " and the options given"
                                : "the options given";
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        const auto input = static_cast<render::SurfaceInput>(i);
        if (!inputs.scene.surface.maps.of(input)) continue;
        std::string path;
        if (inputs.preset) {
            for (const looks::LookMap& map : inputs.preset->maps) {
                if (map.input == input) path = map.path;
            }
        }
        for (const MapOption& map : options.maps) {
            if (map.input == input) path = map.path;
        }
        look.maps.push_back({input, path});
    }
    return look;
}

std::vector<std::string> mapNamesInFolder(const std::vector<looks::LookMap>& maps) {
    std::vector<std::string> names;
    for (const looks::LookMap& map : maps) {
        const std::string name = std::filesystem::path(map.path).filename().string();
        const bool taken = std::find(names.begin(), names.end(), name) != names.end();
        if (!isFreeName(name) || taken) {
            names.clear();
            for (const looks::LookMap& each : maps) {
                names.push_back(std::string(render::nameOf(each.input)) + ".png");
            }
            return names;
        }
        names.push_back(name);
    }
    return names;
}

Saved saveLookFolder(const standin::ShaderInstance& instance, const LookToSave& look,
                     const std::string& path) {
    const auto cannot = [&path](const std::string& reason) {
        return Saved::failure("cannot write the look folder " + path + ": " + reason);
    };
    const base::Result<std::string> parameters =
        savedParameters(instance, looks::StorageMode::Text);
    if (!parameters) return cannot(parameters.error());
    const std::vector<std::string> mapNames = mapNamesInFolder(look.maps);
    const std::string lookFile = lookFileText(look, mapNames);
    if (const std::optional<std::string> why = looks::whyUnreadable(lookFile, looks::kLookInput))
        return cannot("its " + std::string(kLookName) + " could not be read back: " + *why);
    std::vector<std::string> pictures;
    for (const looks::LookMap& map : look.maps) {
        base::Result<std::string> bytes = looks::readInputFile(map.path, looks::kMapInput);
        if (!bytes) return Saved::failure(bytes.error());
        pictures.push_back(std::move(bytes.value()));
    }
    base::Result<std::unique_ptr<TemporaryFolder>> folder = TemporaryFolder::beside(path);
    if (!folder) return cannot(folder.error());
    std::vector<std::string> written{kParametersName, kLookName};
    base::Status added = folder.value()->add(kParametersName, parameters.value());
    if (added) added = folder.value()->add(kLookName, lookFile);
    for (std::size_t i = 0; added && i < pictures.size(); ++i) {
        added = folder.value()->add(mapNames[i], pictures[i]);
        written.push_back(mapNames[i]);
    }
    if (added) added = folder.value()->moveIntoPlace();
    if (!added) return cannot(added.error());
    return Saved::success(std::move(written));
}

}  // namespace preview
