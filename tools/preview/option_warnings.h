// What the preview tells the user about the options it was given: options that the
// pictures asked for do not use, and colours of the scene that no panel of the renderer
// shows. Each is a sentence for a warning on stderr; nothing stops the run.
#ifndef PELORIX3_TOOLS_PREVIEW_OPTION_WARNINGS_H
#define PELORIX3_TOOLS_PREVIEW_OPTION_WARNINGS_H

#include <optional>
#include <string>
#include <vector>

#include "tools/preview/preview_options.h"
#include "tools/preview/render_names.h"

namespace preview {

// Options given that go unused: --crease where the subject's normals do not come from it,
// --width and --height beside a contact sheet, whose cells have a size of their own.
std::vector<std::string> unusedOptions(const PreviewOptions& options, const SceneSettings& scene,
                                       bool creaseAngleUsed);

// Where the surface inputs come from when a parameter block is loaded alone (--load): it
// holds the shader's stored values only, so a look's colour and roughness are not in it.
// Nothing when nothing asked for uses the surface, or the options give every input.
std::optional<std::string> loadedBlockNote(const PreviewOptions& options);

// Colours of the scene (the surface's, the lights', the ambient) outside 0 to 1, which the
// renderer's panels show as 0 to 255.
std::vector<std::string> sceneColoursOutOfRange(const SceneSettings& scene);

}  // namespace preview

#endif
