// Models from Wavefront OBJ files: positions and faces of any size (split into triangles
// in their own plane, as an object file's polygons are), vertex normals where the file
// gives them for every corner of a triangle, otherwise smooth normals with a crease angle.
// Everything a file can get wrong is refused with a message naming the file, and the line
// where there is one; what leaves the model usable is counted in a warning.
#ifndef PELORIX3_MODELS_OBJ_IMPORT_H
#define PELORIX3_MODELS_OBJ_IMPORT_H

#include <string>
#include <string_view>

#include "base/result.h"
#include "models/imported_model.h"

namespace models {

// Reads OBJ text; `name` stands for the file in messages.
base::Result<ImportedModel> importObjText(std::string_view text, const std::string& name,
                                          double creaseAngleDegrees);

}  // namespace models

#endif
