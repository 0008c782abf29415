#include "models/scene_content_folder.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "base/message_text.h"
#include "models/scene_object_path.h"

namespace models {
namespace {

namespace fs = std::filesystem;

// The entry of `folder` named `part`, exactly or but for case; nothing when there is none
// or the folder cannot be read.
std::optional<fs::path> entryNamed(const fs::path& folder, const std::string& part) {
    std::error_code error;
    if (fs::exists(folder / part, error)) return folder / part;
    std::vector<fs::path> matches;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (sameNameIgnoringCase(entry->path().filename().string(), part)) {
            matches.push_back(entry->path());
        }
    }
    if (matches.empty()) return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::optional<fs::path> findInFolder(const fs::path& folder, const std::string& place) {
    fs::path found = folder;
    std::size_t start = 0;
    while (start < place.size()) {
        const std::size_t end = std::min(place.find('/', start), place.size());
        std::optional<fs::path> entry = entryNamed(found, place.substr(start, end - start));
        if (!entry) return std::nullopt;
        found = std::move(*entry);
        start = end + 1;
    }
    std::error_code error;
    if (!fs::is_regular_file(found, error)) return std::nullopt;
    return found;
}

base::Result<fs::path> findObjectFile(std::string_view written,
                                      const std::vector<fs::path>& contentFolders) {
    using Found = base::Result<fs::path>;
    std::vector<std::string> tried;
    for (const fs::path& folder : contentFolders) {
        const auto search = searchObjectPath(written, [&](const std::string& place) {
            const std::optional<fs::path> file = findInFolder(folder, place);
            return file ? std::optional<std::string>(file->string()) : std::nullopt;
        });
        if (!search) return Found::failure("object file " + search.error());
        if (search->found) return Found::success(fs::path(*search->found));
        for (const std::string& place : search->tried) tried.push_back((folder / place).string());
    }
    return Found::failure("object file \"" + base::escaped(written) + "\" not found; tried " +
                          base::listed(tried));
}

}  // namespace models
