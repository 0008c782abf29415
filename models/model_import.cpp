#include "models/model_import.h"

#include "models/lwo_form.h"
#include "models/lwo_import.h"
#include "models/obj_import.h"

namespace models {

base::Result<ImportedModel> importModel(std::string_view bytes, const std::string& name,
                                        double creaseAngleDegrees, bool creaseFromSurfaces) {
    if (startsAsIffFile(bytes)) {
        return importLwo(bytes, name,
                         creaseFromSurfaces ? std::nullopt : std::optional(creaseAngleDegrees));
    }
    return importObjText(bytes, name, creaseAngleDegrees);
}

}  // namespace models
