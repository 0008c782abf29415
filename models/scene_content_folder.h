// A scene's object files found on disk: each place an object's path gives (see
// scene_object_path.h) looked up under the content folders in turn, each part of it
// matched regardless of case, as the systems the scenes were saved on matched names.
#ifndef PELORIX3_MODELS_SCENE_CONTENT_FOLDER_H
#define PELORIX3_MODELS_SCENE_CONTENT_FOLDER_H

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace models {

// The file `place` (parts separated by `/`) names under `folder`: each part the entry of
// that name, or, when there is none, the first in name order that differs only in case.
std::optional<std::filesystem::path> findInFolder(const std::filesystem::path& folder,
                                                  const std::string& place);

// The object file a scene's path names, under the first of `contentFolders` that has it;
// a failure names the path and every place tried.
base::Result<std::filesystem::path> findObjectFile(
    std::string_view written, const std::vector<std::filesystem::path>& contentFolders);

}  // namespace models

#endif
