// The surface inputs a render uses for a look: the look's own, its maps decoded, then the
// command line's constants and maps over them. The preview and each look it compares make
// theirs the same way.
#ifndef PELORIX3_TOOLS_PREVIEW_LOOK_SURFACE_H
#define PELORIX3_TOOLS_PREVIEW_LOOK_SURFACE_H

#include "base/result.h"
#include "looks/preset.h"
#include "tools/preview/map_library.h"
#include "tools/preview/preview_options.h"

namespace preview {

// The pictures of --map, from `library`, each read and decoded once for every look that
// takes them; the first failure names its file.
base::Result<render::SurfaceMaps> commandLineMaps(const PreviewOptions& options,
                                                  MapLibrary& library);

// `look` may be null: then `start` stands for the look's surface, without maps of its own.
// `given` are the command line's maps, as commandLineMaps read them; the look's own come
// from `library`. The first failure names its map file.
base::Result<SurfaceInputs> lookSurface(const looks::Preset* look, const SurfaceInputs& start,
                                        const PreviewOptions& options,
                                        const render::SurfaceMaps& given, MapLibrary& library);

}  // namespace preview

#endif
