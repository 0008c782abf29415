// The surfaces of an object file as the renderer sets them up, the part the preview tool and
// the studio share: the surface inputs of a surface's base values, its stored block loaded
// into an instance of its own in binary mode as the renderer loads an object, and the word
// about other plug-ins' shaders, which neither runs.
#ifndef PELORIX3_LOOKS_MODEL_SURFACES_H
#define PELORIX3_LOOKS_MODEL_SURFACES_H

#include <string>
#include <vector>

#include "base/result.h"
#include "host/shader_driver.h"
#include "models/surface.h"
#include "render/scene_settings.h"

namespace looks {

// The surface inputs a renderer hands a shader for a surface of these base values.
render::SurfaceInputs inputsOf(const models::BaseValues& base);

// Loads the surface's stored block into `instance` through the module's load in binary
// mode. A block that cannot be read is said in `warnings` (`model` names the file) and the
// instance keeps its values; a surface that does not run the module leaves it as it is. A
// failure only when the module refuses a block it could read.
base::Status loadStoredBlock(standin::ShaderInstance& instance, const models::Surface& surface,
                             const std::string& model, std::vector<std::string>& warnings);

// One warning naming every other plug-in's shader the surfaces run; none when there is none.
void warnOtherShaders(const std::vector<models::Surface>& surfaces, const std::string& model,
                      std::vector<std::string>& warnings);

}  // namespace looks

#endif
