#include "web/look_archive.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "looks/look_text.h"
#include "render/patterns.h"
#include "web/pattern_maps.h"
#include "web/stored_png.h"
#include "web/stored_zip.h"

namespace studio {
namespace {

namespace fs = std::filesystem;
using PresetResult = base::Result<looks::Preset>;

// A zip larger than this is no look of the studio's: its one map is a few hundred kB.
constexpr std::size_t kMaxLookZipBytes = std::size_t{16} << 20;

// The name a look's folder has while a zip's files are read from it.
constexpr const char* kUnpackedLook = "look";

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of its own under the temporary folder, removed with the object.
class UnpackFolder {
public:
    UnpackFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        std::error_code error;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            fs::path candidate =
                fs::temp_directory_path(error) /
                ("pelorix3-studio-" + std::to_string(stamp) + "-" + std::to_string(attempt));
            if (fs::create_directory(candidate, error)) path_ = candidate;
        }
    }
    UnpackFolder(const UnpackFolder&) = delete;
    UnpackFolder& operator=(const UnpackFolder&) = delete;
    ~UnpackFolder() {
        std::error_code error;
        if (!path_.empty()) fs::remove_all(path_, error);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

base::Status writeEntries(const std::vector<ZipEntry>& entries, const fs::path& folder) {
    std::error_code error;
    fs::create_directory(folder, error);
    for (const ZipEntry& entry : entries) {
        std::ofstream out(folder / entry.name, std::ios::binary);
        out.write(entry.bytes.data(), static_cast<std::streamsize>(entry.bytes.size()));
        if (!out.flush()) {
            return base::Status::failure("cannot unpack " + entry.name + " in the page");
        }
    }
    return base::succeeded();
}

// `text` with every mention of the unpacked look's folder made the zip's name.
std::string namingTheZip(std::string text, const fs::path& folder, const std::string& name) {
    const std::string unpacked = folder.string() + "/";
    for (std::size_t at = text.find(unpacked); at != std::string::npos;
         at = text.find(unpacked, at + name.size() + 2)) {
        text.replace(at, unpacked.size(), name + ": ");
    }
    return text;
}

// Whether `bytes` are a picture the studio takes for the pattern its name names.
bool isPatternPicture(const std::string& file, const std::string& bytes,
                      const std::string& presetsFolder) {
    const std::optional<std::string> pattern = patternOfFile(file);
    if (!pattern) return false;
    if (bytes == patternFile(*pattern)) return true;
    std::error_code error;
    for (const auto& look : fs::directory_iterator(presetsFolder, error)) {
        const fs::path shipped = look.path() / file;
        if (fs::is_regular_file(shipped, error) && fileBytes(shipped) == bytes) return true;
    }
    return false;
}

}  // namespace

std::string patternFile(const std::string& pattern) {
    const auto grey = render::makePattern(pattern, render::kPatternSize);
    return grey ? storedGreyPng(render::kPatternSize, render::kPatternSize, *grey) : std::string();
}

std::string lookZip(const StudioLook& look) {
    std::vector<looks::LookMap> maps;
    std::vector<ZipEntry> entries{{"parameters.txt", look.storedText}, {"look.txt", ""}};
    if (!look.luminousPattern.empty()) {
        const std::string file = look.luminousPattern + ".png";
        maps.push_back({render::SurfaceInput::Luminous, file});
        entries.push_back({file, patternFile(look.luminousPattern)});
    }
    entries[1].bytes = looks::lookText(look.description, look.surface, maps);
    return storedZip(entries);
}

PresetResult readLookZip(const std::string& bytes, const std::string& name,
                         const std::string& presetsFolder) {
    if (bytes.size() > kMaxLookZipBytes) {
        return PresetResult::failure(name + " is too large for a look file (" +
                                     std::to_string(bytes.size() >> 20) + " MB)");
    }
    base::Result<std::vector<ZipEntry>> entries = readStoredZip(bytes, name);
    if (!entries) return PresetResult::failure(entries.error());
    const UnpackFolder unpacked;
    if (unpacked.path().empty()) {
        return PresetResult::failure("cannot unpack " + name + " in the page");
    }
    const fs::path folder = unpacked.path() / kUnpackedLook;
    if (base::Status written = writeEntries(entries.value(), folder); !written) {
        return PresetResult::failure(written.error());
    }
    PresetResult look = looks::readPreset(unpacked.path().string(), kUnpackedLook);
    if (!look) return PresetResult::failure(namingTheZip(look.error(), folder, name));
    for (looks::LookMap& map : look->maps) {
        const std::string file = fs::path(map.path).filename().string();
        if (!isPatternPicture(file, fileBytes(map.path), presetsFolder)) {
            return PresetResult::failure(
                name + ": map." + std::string(render::nameOf(map.input)) + " " + file +
                " is not one of the studio's patterns, which it maps luminosity with");
        }
        map.path = file;
    }
    look->name.clear();  // a file's look, not a named one
    return look;
}

}  // namespace studio
