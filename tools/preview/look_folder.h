// --save-look: the look a run stands at, as a look folder that --preset reads back: its
// parameters.txt (the instance's stored values in text, as a scene keeps them), its
// look.txt (the surface inputs, each number written so that it reads back exactly) and a
// copy of each map it uses, under bare names, written whole or not at all.
#ifndef PELORIX3_TOOLS_PREVIEW_LOOK_FOLDER_H
#define PELORIX3_TOOLS_PREVIEW_LOOK_FOLDER_H

#include <string>
#include <vector>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/preset.h"
#include "tools/preview/preview_inputs.h"

namespace preview {

struct LookToSave {
    std::string description;
    std::string origin;                // for a comment in look.txt: "the look felt"
    render::SurfaceInputs surface;     // its constants; the maps are in `maps`
    std::vector<looks::LookMap> maps;  // each input mapped, and the file its map is read from
};

// The look of a run: the surface inputs it renders with, each map from --map or the look.
LookToSave lookOfRun(const PreviewOptions& options, const PreviewInputs& inputs);

// The names the maps take in the folder: their own file names where those are distinct
// and free, otherwise INPUT.png for every map.
std::vector<std::string> mapNamesInFolder(const std::vector<looks::LookMap>& maps);

// Writes the new look folder `path` with the instance's parameters; the names of the
// files written, or a failure naming the folder.
base::Result<std::vector<std::string>> saveLookFolder(const standin::ShaderInstance& instance,
                                                      const LookToSave& look,
                                                      const std::string& path);

}  // namespace preview

#endif
