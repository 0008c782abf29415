#include "looks/preset.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

#include "base/message_text.h"
#include "host/module_path.h"
#include "looks/input_file.h"
#include "looks/surface_value.h"

namespace looks {
namespace {

using PresetResult = base::Result<Preset>;
using Status = base::Status;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Names are folder names made of lower-case letters, digits and dashes, so that a name
// from the command line can never lead out of the presets folder.
bool isPresetName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

// A map's picture is a file of the look's own folder, named without a path.
Status applyMap(Preset& preset, const std::filesystem::path& folder, const std::string& key,
                const std::string& value, const std::string& where) {
    const std::optional<render::SurfaceInput> input =
        render::surfaceInputNamed(std::string_view(key).substr(std::string_view("map.").size()));
    if (!input) return Status::failure(where + ": unknown key \"" + key + "\"");
    if (value.empty() || value == "." || value == ".." ||
        value.find_first_of("/\\") != std::string::npos) {
        return Status::failure(where + ": " + key + " \"" + value +
                               "\" is not the name of a file in the look's folder");
    }
    for (const LookMap& map : preset.maps) {
        if (map.input == *input) return Status::failure(where + ": a second " + key);
    }
    const std::filesystem::path picture = folder / value;
    std::error_code error;
    if (!std::filesystem::is_regular_file(picture, error)) {
        const std::string kind = kindOfFile(picture.string());
        return Status::failure(where + ": " + key + " " + value + ": " +
                               (kind == "nothing" ? "there is no such file in the look's folder"
                                                  : "it is " + kind + ", not a picture file"));
    }
    preset.maps.push_back({*input, picture.string()});
    return base::succeeded();
}

Status applyLine(Preset& preset, const std::filesystem::path& folder, const std::string& key,
                 const std::string& value, const std::string& where) {
    if (key.rfind("map.", 0) == 0) return applyMap(preset, folder, key, value, where);
    if (key == "description") {
        preset.description = value;
        return base::succeeded();
    }
    if (Status set = setSurfaceValue(preset.surface, key, value); !set) {
        return Status::failure(where + ": " + set.error());
    }
    return base::succeeded();
}

// Calls `visit` with each entry of `folder`, never throwing: an entry that cannot be looked
// at (a link round a circle, or into a folder this user cannot enter) is the visitor's to
// skip, through the error code each of its queries takes.
template <class Visit>
std::error_code forEachEntry(const std::string& folder, Visit visit) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        visit(*entry);
    }
    return error;
}

// Why the entry `name` of the presets folder cannot be read as a look, when it is there
// but cannot be looked at; empty otherwise.
std::string unreadableEntry(const std::string& folder, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(folder) / name;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return {};
    const bool reached = std::filesystem::exists(std::filesystem::status(path, error));
    return reached ? std::string() : error.message();
}

Status readLook(Preset& preset, const std::filesystem::path& folder) {
    const std::string path = (folder / "look.txt").string();
    const base::Result<std::string> bytes = readInputFile(path, kLookInput);
    if (!bytes) return Status::failure(bytes.error());
    std::istringstream lines(bytes.value());
    std::size_t number = 0;
    for (std::string text; std::getline(lines, text);) {
        const std::string line = trimmed(text);
        const std::string where = path + " line " + std::to_string(++number);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return Status::failure(where + ": no \"key = value\"");
        Status applied = applyLine(preset, folder, trimmed(line.substr(0, equals)),
                                   trimmed(line.substr(equals + 1)), where);
        if (!applied) return applied;
    }
    return base::succeeded();
}

}  // namespace

std::string defaultPresetsFolder() {
    return (std::filesystem::path(standin::defaultModulePath()).parent_path() / "presets").string();
}

base::Result<std::vector<std::string>> presetNames(const std::string& folder) {
    using NamesResult = base::Result<std::vector<std::string>>;
    std::vector<std::string> names;
    const std::error_code error =
        forEachEntry(folder, [&names](const std::filesystem::directory_entry& entry) {
            const std::string name = entry.path().filename().string();
            std::error_code unreadable;
            if (isPresetName(name) && entry.is_directory(unreadable)) names.push_back(name);
        });
    if (error)
        return NamesResult::failure("cannot read the presets in " + folder + ": " +
                                    error.message());
    std::sort(names.begin(), names.end());
    return NamesResult::success(std::move(names));
}

bool namesLookFolder(const std::string& text) { return text.find('/') != std::string::npos; }

std::string lookFolder(const std::string& folder, const std::string& name) {
    return namesLookFolder(name) ? name : (std::filesystem::path(folder) / name).string();
}

base::Result<Preset> readPreset(const std::string& folder, const std::string& name) {
    const base::Result<std::vector<std::string>> names = presetNames(folder);
    if (!names) return PresetResult::failure(names.error());
    if (!isPresetName(name) || std::find(names->begin(), names->end(), name) == names->end()) {
        if (const std::string why = isPresetName(name) ? unreadableEntry(folder, name) : "";
            !why.empty()) {
            return PresetResult::failure("cannot read the preset \"" + name + "\" in " + folder +
                                         ": " + why);
        }
        return PresetResult::failure("there is no preset \"" + name + "\"; the presets are " +
                                     base::listed(names.value()));
    }
    return readLookFolder(lookFolder(folder, name), name);
}

base::Result<Preset> readNamedLook(const std::string& folder, const std::string& text) {
    if (namesLookFolder(text)) return readLookFolder(text, text);
    base::Result<Preset> look = readPreset(folder, text);
    // A folder here named like no look is most likely a look saved here: say how to name it.
    const base::Result<std::vector<std::string>> names = presetNames(folder);
    std::error_code error;
    if (!look && names && std::find(names->begin(), names->end(), text) == names->end() &&
        std::filesystem::is_directory(text, error)) {
        return PresetResult::failure(look.error() + "; the folder " + text +
                                     " here is read as a look folder when named ./" + text);
    }
    return look;
}

base::Result<Preset> readLookFolder(const std::string& path, const std::string& name) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        const std::string kind = kindOfFile(path);
        return PresetResult::failure(kind == "nothing"
                                         ? "there is no look folder " + path
                                         : path + " is " + kind + ", not a look folder");
    }
    const std::filesystem::path base = path;
    Preset preset;
    preset.name = name;
    const std::string parametersPath = (base / "parameters.txt").string();
    const base::Result<std::string> bytes = readInputFile(parametersPath, kLookParameterInput);
    if (!bytes) return PresetResult::failure(bytes.error());
    base::Result<ParameterFile> parameters =
        parseParameterData(parametersPath, bytes.value(), StorageMode::Text);
    if (!parameters) return PresetResult::failure(parameters.error());
    preset.parameters = std::move(parameters.value());
    if (Status look = readLook(preset, base); !look) {
        return PresetResult::failure(look.error());
    }
    return PresetResult::success(std::move(preset));
}

std::vector<std::string> lookFiles(const std::string& folder, const std::string& name) {
    std::vector<std::string> files;
    forEachEntry(lookFolder(folder, name), [&files](const std::filesystem::directory_entry& entry) {
        std::error_code unreadable;
        if (entry.is_regular_file(unreadable)) files.push_back(entry.path().string());
    });
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace looks
