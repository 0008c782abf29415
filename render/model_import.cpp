#include "render/model_import.h"

#include "render/lwo_form.h"
#include "render/lwo_import.h"

namespace standin {

base::Result<ObjImport> importModel(std::string_view bytes, const std::string& name,
                                    double creaseAngleDegrees) {
    if (startsAsIffFile(bytes)) return importLwo(bytes, name, creaseAngleDegrees);
    return importObjText(bytes, name, creaseAngleDegrees);
}

}  // namespace standin
