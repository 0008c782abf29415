// A look as one file: a zip whose stored entries are a look folder's files under bare
// names (parameters.txt, look.txt and the picture of its map), as the named looks and the
// preview's saved looks hold them; and such a file read back as a look, through the same
// checks as a look folder.
#ifndef PELORIX3_WEB_LOOK_ARCHIVE_H
#define PELORIX3_WEB_LOOK_ARCHIVE_H

#include <string>

#include "base/result.h"
#include "looks/preset.h"
#include "render/scene_settings.h"

namespace studio {

// What the studio holds of a look.
struct StudioLook {
    std::string storedText;  // the stored block in text form: parameters.txt
    std::string description;
    render::SurfaceInputs surface;  // its maps are not read: luminousPattern names the one
    std::string luminousPattern;    // the pattern that maps luminosity, or "" for none
};

// The picture the studio writes for one of its patterns (render/patterns.h), at the size
// the studio maps it at, named "<pattern>.png" in a look.
std::string patternFile(const std::string& pattern);

// The zip of the look's files.
std::string lookZip(const StudioLook& look);

// The look in a zip file's bytes (`name` stands for the file in messages), read as a look
// folder is. A map must be a picture of one of the studio's patterns, named after it: the
// file patternFile() writes, or a named look's in `presetsFolder` (burnout-velvet's
// burnout.png). The maps' paths of the result name their files only.
base::Result<looks::Preset> readLookZip(const std::string& bytes, const std::string& name,
                                        const std::string& presetsFolder);

}  // namespace studio

#endif
