#include "tools/preview/file_names.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

#include "looks/input_file.h"
#include "looks/preset.h"
#include "tools/preview/atomic_write.h"
#include "tools/preview/compared_looks.h"
#include "tools/preview/name_pattern.h"

namespace preview {
namespace {

using base::Status;

// Where a name leads: a file that exists, or the path where one would be. A character
// device (a terminal, /dev/null) or a closed standard stream is nothing that writing
// could destroy.
struct Identity {
    std::optional<std::pair<dev_t, ino_t>> inode;
    std::string normalised;
    bool indestructible = false;
};

Identity identityOfStatus(const struct stat& status) {
    Identity identity;
    identity.indestructible = S_ISCHR(status.st_mode);
    identity.inode = std::make_pair(status.st_dev, status.st_ino);
    return identity;
}

Identity identityOf(const std::string& path, int standardStream) {
    struct stat status {};
    if (path == looks::kStandardStream) {
        if (::fstat(standardStream, &status) == 0) return identityOfStatus(status);
        return {std::nullopt, {}, true};
    }
    if (::stat(path.c_str(), &status) == 0) return identityOfStatus(status);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(followLinks(path), error);
    const std::filesystem::path normal = std::filesystem::weakly_canonical(absolute, error);
    return {std::nullopt, (error ? absolute.lexically_normal() : normal).string(), false};
}

bool sameFile(const Identity& a, const Identity& b) {
    if (a.indestructible || b.indestructible) return false;
    if (a.inode || b.inode) return a.inode == b.inode;
    return a.normalised == b.normalised;
}

std::vector<NamedFile> inputsOf(const PreviewOptions& options) {
    std::vector<NamedFile> inputs;
    if (!options.modelPath.empty()) inputs.push_back({"--mesh", options.modelPath});
    if (!options.loadPath.empty()) inputs.push_back({"--load", options.loadPath});
    inputs.push_back({"--module", options.moduleFile()});
    if (!options.presetName.empty()) {
        for (const std::string& file :
             looks::lookFiles(looks::defaultPresetsFolder(), options.presetName))
            inputs.push_back({"--preset", file});
    }
    for (const MapOption& map : options.maps) {
        inputs.push_back({"--map " + std::string(render::nameOf(map.input)), map.path});
    }
    for (const std::string& file : comparedFiles(options.compared)) {
        inputs.push_back({"--compare", file});
    }
    return inputs;
}

// The turntable's views and its strip, by the pattern's names; none when the pattern is
// not one (turntablePattern() says why).
void addTurntable(const PreviewOptions& options, std::vector<NamedFile>& pictures) {
    const base::Result<NamePattern> pattern = NamePattern::parse(options.renderPath());
    if (!pattern) return;
    const std::string option = options.outputGiven ? "-o" : "--turntable (by default)";
    for (int view = 0; view < options.turntableViews; ++view) {
        pictures.push_back({option, pattern->name(view)});
    }
    pictures.push_back({option, pattern->nameWith("strip")});
}

std::vector<NamedFile> picturesOf(const PreviewOptions& options) {
    std::vector<NamedFile> pictures;
    if (options.turntableViews > 0) {
        addTurntable(options, pictures);
    } else if (options.wantsRender()) {
        pictures.push_back(
            {options.outputGiven ? "-o" : "the preview (by default)", options.renderPath()});
    }
    if (!options.panelPath.empty()) pictures.push_back({"--panel", options.panelPath});
    if (!options.sheetPath.empty()) pictures.push_back({"--sheet", options.sheetPath});
    if (!options.switchSheetPath.empty()) {
        pictures.push_back({"--switch-sheet", options.switchSheetPath});
    }
    return pictures;
}

}  // namespace

std::vector<NamedFile> outputsOf(const PreviewOptions& options) {
    std::vector<NamedFile> outputs = picturesOf(options);
    if (!options.savePath.empty()) outputs.push_back({"--save", options.savePath});
    if (!options.saveLookPath.empty()) outputs.push_back({"--save-look", options.saveLookPath});
    if (!options.writeObjectPath.empty())
        outputs.push_back({"--write-object", options.writeObjectPath});
    return outputs;
}

namespace {

// Two options that both take standard input, or both standard output.
Status oneEachForStandardStreams(const PreviewOptions& options) {
    std::vector<std::string> readers;
    for (const NamedFile& input : inputsOf(options)) {
        if (input.path == looks::kStandardStream) readers.push_back(input.option);
    }
    std::vector<std::string> writers;
    if (options.listPresets) writers.push_back("--list-presets");
    if (options.listSurfaces) writers.push_back("--list-surfaces");
    for (const NamedFile& output : outputsOf(options)) {
        if (output.path == looks::kStandardStream) writers.push_back(output.option);
    }
    if (readers.size() > 1) {
        return Status::failure(readers[0] + " and " + readers[1] +
                               " both read standard input (-); only one can");
    }
    if (writers.size() > 1) {
        return Status::failure(writers[0] + " and " + writers[1] +
                               " both write standard output; only one can");
    }
    return base::succeeded();
}

std::string loweredExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// PNG is written under a name ending in .png, a name without an extension, "-", or a
// device or pipe; the preview may also be OpenEXR, under a name ending in .exr. A name
// that says another format would hold the data under a lie.
Status picturesInFormatsWritten(const PreviewOptions& options) {
    if (options.bitDepth != 8 && (options.turntableViews > 0 || !options.compared.empty())) {
        return Status::failure("--bit-depth " + std::to_string(options.bitDepth) +
                               " is for the preview alone: a turntable's views and a "
                               "comparison are 8-bit PNG");
    }
    const std::vector<NamedFile> pictures = picturesOf(options);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const NamedFile& picture = pictures[i];
        const std::string extension = loweredExtension(picture.path);
        // picturesOf() puts the preview first; a turntable's views and a comparison are PNG.
        const bool isPreview = options.wantsRender() && i == 0 && options.turntableViews == 0 &&
                               options.compared.empty();
        if (extension.empty() || extension == ".png" || picture.path == looks::kStandardStream ||
            isWrittenDirectly(picture.path)) {
            continue;
        }
        if (extension == ".exr" && isPreview) {
            if (options.bitDepth != 8) {
                return Status::failure("--bit-depth " + std::to_string(options.bitDepth) + ": " +
                                       picture.path +
                                       " is an OpenEXR file, of half floats; --bit-depth is for "
                                       "a PNG preview");
            }
            continue;
        }
        return Status::failure(picture.option + " " + picture.path + ": the tool cannot write " +
                               std::filesystem::path(picture.path).extension().string() +
                               " pictures; it writes PNG (name the file .png, or give - for "
                               "standard output)" +
                               (isPreview ? " and, for the preview, OpenEXR (.exr)" : ""));
    }
    return base::succeeded();
}

// A look folder holds copies of its maps, read again from their files as it is written:
// a map from standard input or a pipe has been read once, for good.
Status mapsCopiedFromFiles(const PreviewOptions& options) {
    if (options.saveLookPath.empty()) return base::succeeded();
    for (const MapOption& map : options.maps) {
        struct stat status {};
        const bool stream = map.path == looks::kStandardStream ||
                            (::stat(map.path.c_str(), &status) == 0 && !S_ISREG(status.st_mode));
        if (!stream) continue;
        return Status::failure(
            "--save-look copies each map from its file, and --map " +
            std::string(render::nameOf(map.input)) + "=" + map.path + " is read once from " +
            (map.path == looks::kStandardStream ? "standard input" : looks::kindOfFile(map.path)) +
            "; give the map as a file");
    }
    return base::succeeded();
}

// A turntable's pattern is checked before its names are.
Status turntablePattern(const PreviewOptions& options) {
    if (options.turntableViews == 0) return base::succeeded();
    const base::Result<NamePattern> pattern = NamePattern::parse(options.renderPath());
    if (!pattern) return Status::failure("--turntable: " + pattern.error());
    return base::succeeded();
}

std::vector<Identity> identitiesOf(const std::vector<NamedFile>& files, int standardStream) {
    std::vector<Identity> identities;
    for (const NamedFile& file : files) identities.push_back(identityOf(file.path, standardStream));
    return identities;
}

Status noOutputIsAnotherFile(const PreviewOptions& options) {
    const std::vector<NamedFile> outputs = outputsOf(options);
    const std::vector<NamedFile> inputs = inputsOf(options);
    // Each looked up once: a turntable names hundreds of files.
    const std::vector<Identity> outputIds = identitiesOf(outputs, STDOUT_FILENO);
    const std::vector<Identity> inputIds = identitiesOf(inputs, STDIN_FILENO);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const Identity& output = outputIds[i];
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            if (!sameFile(output, outputIds[j])) continue;
            return Status::failure(outputs[i].option + " and " + outputs[j].option +
                                   " name the same file (" + outputName(outputs[j].path) +
                                   "): one would overwrite the other");
        }
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            const NamedFile& input = inputs[k];
            if (!sameFile(output, inputIds[k])) continue;
            return Status::failure(outputs[i].option + " names the file " + input.option +
                                   " reads (" + looks::inputName(input.path) +
                                   "): writing it would destroy it");
        }
    }
    return base::succeeded();
}

}  // namespace

Status checkFileNames(const PreviewOptions& options) {
    if (options.modulePath == looks::kStandardStream) {
        return Status::failure(
            "--module: the module is loaded from a file, not from standard "
            "input");
    }
    if (options.saveLookPath == looks::kStandardStream) {
        return Status::failure(
            "--save-look: a look is a folder of files, which standard output cannot take");
    }
    for (const auto& check : {turntablePattern, oneEachForStandardStreams, picturesInFormatsWritten,
                              mapsCopiedFromFiles, noOutputIsAnotherFile}) {
        if (Status passed = check(options); !passed) return passed;
    }
    return base::succeeded();
}

}  // namespace preview
