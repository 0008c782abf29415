// The looks --compare names, each a named look of the presets folder or a stored parameter
// file: a name that is a look is the look, any other name a file ("./felt" is the file
// felt beside the look of that name). Each is read once, with the other inputs, and the
// command line's parameters and surface inputs apply over each, as over --preset.
#ifndef PELORIX3_TOOLS_PREVIEW_COMPARED_LOOKS_H
#define PELORIX3_TOOLS_PREVIEW_COMPARED_LOOKS_H

#include <string>
#include <vector>

#include "base/result.h"
#include "looks/parameter_block.h"
#include "tools/preview/map_library.h"
#include "tools/preview/preview_options.h"

namespace preview {

// The files the names of --compare read, in order: a look's files (lookFiles), or the
// parameter file.
std::vector<std::string> comparedFiles(const std::vector<std::string>& names);

struct ComparedLook {
    std::string label;  // the name as given, or "standard input" for -
    looks::ParameterBlock parameters;
    SurfaceInputs surface;
};

// Reads every name of --compare; the first failure, naming its look or file. A file
// gives parameters alone and takes the surface inputs of `surface`, the command line's
// over the scene's; a look takes its own (its maps from `library`), with the command
// line's over them, its maps `given` as commandLineMaps read them.
base::Result<std::vector<ComparedLook>> readComparedLooks(const PreviewOptions& options,
                                                          const SurfaceInputs& surface,
                                                          const render::SurfaceMaps& given,
                                                          MapLibrary& library);

}  // namespace preview

#endif
