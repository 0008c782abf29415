// Models from object files, LWO2 and LWOB: the faces of every layer and the cages of
// subdivision patches, split into triangles in their own plane (concave ones too), with
// the texture coordinates of the first TXUV map, each triangle's surface, and smooth
// normals with a crease angle (each surface's smoothing angle unless one is given).
// The renderer's space is the preview's own (left-handed, y up, z away from the viewer),
// so points keep their coordinates, polygons their winding, and a model faces the preview's
// camera as it faces the renderer's default one. The result is the one both readers give
// (imported_model.h): the mesh in its frame, and warnings that name the file and count
// what was left out or replaced.
#ifndef PELORIX3_MODELS_LWO_IMPORT_H
#define PELORIX3_MODELS_LWO_IMPORT_H

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "models/imported_model.h"

namespace models {

// Reads the object file's bytes; `name` stands for the file in messages. With no
// `creaseAngleDegrees`, each surface's smoothing angle is its crease angle.
base::Result<ImportedModel> importLwo(std::string_view file, const std::string& name,
                                      std::optional<double> creaseAngleDegrees);

}  // namespace models

#endif
