// --map INPUT=FILE.png: a PNG picture that drives one of the subject's surface inputs
// across it, sampled at the model's texture coordinates.
#ifndef PELORIX3_TOOLS_PREVIEW_MAP_OPTIONS_H
#define PELORIX3_TOOLS_PREVIEW_MAP_OPTIONS_H

#include <string>
#include <vector>

#include "base/result.h"
#include "render/surface_maps.h"
#include "tools/preview/surface_overrides.h"

namespace CLI {
class App;
}  // namespace CLI

namespace preview {

struct MapOption {
    render::SurfaceInput input = render::SurfaceInput::Color;
    std::string path;
};

// Declares --map, which may be given once for each input, in `group`.
void defineMapOption(CLI::App& app, std::vector<MapOption>& maps, const char* group);

// A bad command line when an input has two maps, or a map and a constant (--luminous 0.5
// beside --map luminous=...), which it could not both take.
base::Status checkMapOptions(const std::vector<MapOption>& maps, const SurfaceOverrides& constants);

}  // namespace preview

#endif
