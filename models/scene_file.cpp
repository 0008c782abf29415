#include "models/scene_file.h"

#include "models/scene_object_path.h"

namespace models {

std::string SceneObject::name() const { return null ? written : fileNameOf(written); }

}  // namespace models
