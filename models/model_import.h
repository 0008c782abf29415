// A model read from a file's bytes by what they hold, not by the file's name: an object
// file (LWO2 or LWOB) when they begin as an IFF file does ("FORM"), otherwise OBJ text.
#ifndef PELORIX3_MODELS_MODEL_IMPORT_H
#define PELORIX3_MODELS_MODEL_IMPORT_H

#include <string>
#include <string_view>

#include "base/result.h"
#include "models/imported_model.h"

namespace models {

// `name` stands for the file in messages. With `creaseFromSurfaces`, an object file's
// surfaces give their own crease angles (their smoothing angles) in place of
// `creaseAngleDegrees`.
base::Result<ImportedModel> importModel(std::string_view bytes, const std::string& name,
                                        double creaseAngleDegrees, bool creaseFromSurfaces = false);

}  // namespace models

#endif
