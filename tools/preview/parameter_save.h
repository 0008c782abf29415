// Saving the instance's parameters to a file, in the text or binary form a scene keeps
// them in, written whole or not at all.
#ifndef PELORIX3_TOOLS_PREVIEW_PARAMETER_SAVE_H
#define PELORIX3_TOOLS_PREVIEW_PARAMETER_SAVE_H

#include <string>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_file.h"

namespace preview {

// What the instance saves through a save state in `mode` (text for Auto): the file's bytes.
base::Result<std::string> savedParameters(const standin::ShaderInstance& instance,
                                          looks::StorageMode mode);

// Saves the instance through a save state in `mode` (text for Auto) and writes what it
// recorded to `path` ("-" is standard output), whole or not at all.
base::Status saveParameterFile(const standin::ShaderInstance& instance, const std::string& path,
                               looks::StorageMode mode);

}  // namespace preview

#endif
