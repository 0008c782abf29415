// Where a scene's object file is found. The renderer took an object's path relative to a
// content folder of its configuration, and scenes moved between machines keep the paths
// of the machine that saved them, so a path is searched for, not opened as written:
//
// - A relative path (`Objects\Cup.lwo`) is tried under the content folder.
// - A path with a volume, a drive (`C:\LW\Objects\Cup.lwo`, `C:Objects\Cup.lwo`), a
//   network share (`\\host\share\...`), an Amiga volume (`Work:Objects/Cup.lwo`) or a bare
//   leading separator, loses it and is tried under the content folder, then with its
//   leading folders dropped one by one (`LW/Objects/Cup.lwo`, `Objects/Cup.lwo`,
//   `Cup.lwo`).
//
// Both `/` and `\` separate folders; `.` parts are dropped and `..` takes back the part
// before it, but never climbs above the content folder. The places are relative paths with
// `/` between their parts; a probe says whether one names a file, so that the same rule
// serves a folder on disk and a set of files dropped on a page.
#ifndef PELORIX3_MODELS_SCENE_OBJECT_PATH_H
#define PELORIX3_MODELS_SCENE_OBJECT_PATH_H

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace models {

// The places to try for a path as a scene writes it, in order; a failure when the path
// names no file or climbs above the content folder.
base::Result<std::vector<std::string>> objectPathPlaces(std::string_view written);

// What a probe found for a place (a path to open), or nothing.
using PathProbe = std::function<std::optional<std::string>(const std::string& place)>;

struct ObjectPathSearch {
    std::optional<std::string> found;  // what the probe gave for the first place it found
    std::vector<std::string> tried;    // the places asked, in order, the found one last
};

// Asks `probe` for each place of `written` in turn until one is found.
base::Result<ObjectPathSearch> searchObjectPath(std::string_view written, const PathProbe& probe);

// The last part of the path as a scene writes it: the file's name without folders or volume.
std::string fileNameOf(std::string_view written);

// Whether two names are the same but for the case of their ASCII letters: the renderers'
// systems did not tell `Cup.LWO` from `cup.lwo`.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace models

#endif
