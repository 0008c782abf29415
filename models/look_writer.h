// Writes looks into a copy of an object file of either generation: each surface named then
// runs the module with its look's stored block and, when the look gives them, has its base
// values. A surface the file names but sets up in no SURF chunk gets one, after the form's
// last chunk. Every other byte stays as it was: only the SURF chunks written and the FORM
// length differ from the file's. The file is read once and the copy made once, whatever the
// number of surfaces, so the time taken grows with the file's size, and the memory with the
// size of the copy.
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

// A surface of the file, by name (LWO2: "Default" too, the surface of polygons without one),
// and the look written into it.
struct SurfaceLookWrite {
    std::string surface;
    ObjectLook look;
};

// The bytes of `file` with each look of `writes` in its surface; of two for one surface the
// first counts. `name` stands for the file in messages. Refuses a damaged file, a name the
// file does not have, a value the file's form cannot hold (naming the surface) and a length
// that outgrows its field.
base::Result<std::string> writeLooks(std::string_view file, const std::string& name,
                                     const std::vector<SurfaceLookWrite>& writes);

// The same `look` in each of `surfaces`.
base::Result<std::string> writeLook(std::string_view file, const std::string& name,
                                    const std::vector<std::string>& surfaces,
                                    const ObjectLook& look);

}  // namespace models

#endif
