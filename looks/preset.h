// Named looks from the presets folder beside the program, and look folders anywhere else
// named by their path (as the preview's --save-look writes them): each is a folder holding
// parameters.txt, the shader's parameter block exactly as a scene stores it in text
// form, and look.txt, a one-line description and the surface inputs that go with it
// ("key = value" lines: description, color R,G,B, diffuse, specular, luminous,
// roughness; an input left out keeps the scene's default), and maps of them
// ("map.luminous = pattern.png", a PNG picture in the look's folder).
#ifndef PELORIX3_LOOKS_PRESET_H
#define PELORIX3_LOOKS_PRESET_H

#include <string>
#include <vector>

#include "base/result.h"
#include "looks/parameter_file.h"
#include "render/scene_settings.h"

namespace looks {

// A map a look gives one of its surface inputs: the input and the picture's file, a
// path that starts where the look's folder was named from.
struct LookMap {
    render::SurfaceInput input = render::SurfaceInput::Color;
    std::string path;
};

struct Preset {
    std::string name;
    std::string description;
    ParameterFile parameters;
    render::SurfaceInputs surface;  // without maps: those are named in `maps`
    std::vector<LookMap> maps;
};

// presets/ beside the running executable (the build copies it there).
std::string defaultPresetsFolder();

// The names of the looks in `folder`, sorted; fails when the folder cannot be read.
base::Result<std::vector<std::string>> presetNames(const std::string& folder);

// Whether `text`, where a look is asked for, names a look folder by its path rather than
// a look of the presets folder: it holds a slash (./my-felt, looks/felt, /home/me/felt),
// which no look's name does.
bool namesLookFolder(const std::string& text);

// The folder of the look `name`: the look of that name in `folder`, or the folder that a
// name with a slash is the path of.
std::string lookFolder(const std::string& folder, const std::string& name);

// Reads one look of `folder`; an unknown name is refused with the names there are.
base::Result<Preset> readPreset(const std::string& folder, const std::string& name);

// Reads the look folder `path`, the look called `name`.
base::Result<Preset> readLookFolder(const std::string& path, const std::string& name);

// Reads the look `text` names: a look of `folder`, or the look folder a text with a slash
// is the path of.
base::Result<Preset> readNamedLook(const std::string& folder, const std::string& text);

// Every file a look may read: those of its folder (its two files and the pictures its maps
// may name), sorted; none when the folder cannot be read.
std::vector<std::string> lookFiles(const std::string& folder, const std::string& name);

}  // namespace looks

#endif
