// Writes a look into a copy of an object file of either generation: each named surface then
// runs the module with the look's stored block and, when the look gives them, has its base
// values. A surface the file names but sets up in no SURF chunk gets one, after the form's
// last chunk. Every other byte stays as it was: only the SURF chunks written and the FORM
// length differ from the file's.
#ifndef PELORIX3_MODELS_LOOK_WRITER_H
#define PELORIX3_MODELS_LOOK_WRITER_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "models/stored_block.h"
#include "models/surface.h"

namespace models {

struct ObjectLook {
    StoredBlock block;  // the module's seven stored values in their binary form
    // Written too when set: colour, diffuse, specular, luminosity, and the glossiness that
    // gives the roughness (a map cannot be a base value).
    std::optional<BaseValues> values;
};

// The bytes of `file` with `look` written into `surfaces`, each a name of a surface of the
// file (LWO2: "Default" too, the surface of polygons without one); `name` stands for the file
// in messages. Refuses a damaged file, a name the file does not have, a value the file's form
// cannot hold and a length that outgrows its field.
base::Result<std::string> writeLook(std::string_view file, const std::string& name,
                                    const std::vector<std::string>& surfaces,
                                    const ObjectLook& look);

}  // namespace models

#endif
