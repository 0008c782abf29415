// Named looks from the presets folder beside the program: each is a folder holding
// parameters.txt, the shader's parameter block exactly as a scene stores it in text
// form, and look.txt, a one-line description and the surface inputs that go with it
// ("key = value" lines: description, color R,G,B, diffuse, specular, luminous,
// roughness; an input left out keeps the scene's default), and maps of them
// ("map.luminous = pattern.png", a PNG picture in the look's folder).
#ifndef PELORIX3_LOOKS_PRESET_H
#define PELORIX3_LOOKS_PRESET_H

#include <string>
#include <vector>

#include "host/result.h"
#include "looks/parameter_file.h"
#include "render/scene_settings.h"

namespace preview {

// A map a look gives one of its surface inputs: the input and the picture's file, a
// path that starts at the presets folder given to readPreset().
struct LookMap {
    standin::SurfaceInput input = standin::SurfaceInput::Color;
    std::string path;
};

struct Preset {
    std::string name;
    std::string description;
    ParameterFile parameters;
    standin::SurfaceInputs surface;  // without maps: those are named in `maps`
    std::vector<LookMap> maps;
};

// presets/ beside the running executable (the build copies it there).
std::string defaultPresetsFolder();

// The names of the looks in `folder`, sorted; fails when the folder cannot be read.
standin::Result<std::vector<std::string>> presetNames(const std::string& folder);

// Reads one look; an unknown name is refused with the names there are.
standin::Result<Preset> readPreset(const std::string& folder, const std::string& name);

// Every file a look may read: those of its folder (its two files and the pictures its maps
// may name), sorted; none when the folder cannot be read.
std::vector<std::string> lookFiles(const std::string& folder, const std::string& name);

}  // namespace preview

#endif
