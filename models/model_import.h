// A model read from a file's bytes by what they hold, not by the file's name: an object
// file (LWO2 or LWOB) when they begin as an IFF file does ("FORM"), otherwise OBJ text.
#ifndef PELORIX3_RENDER_MODEL_IMPORT_H
#define PELORIX3_RENDER_MODEL_IMPORT_H

#include <string>
#include <string_view>

#include "base/result.h"
#include "models/obj_import.h"

namespace standin {

// `name` stands for the file in messages.
base::Result<ObjImport> importModel(std::string_view bytes, const std::string& name,
                                    double creaseAngleDegrees);

}  // namespace standin

#endif
