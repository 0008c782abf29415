// Everything the preview command can be told, and its command line.
#ifndef PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H
#define PELORIX3_TOOLS_PREVIEW_PREVIEW_OPTIONS_H

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "looks/parameter_file.h"
#include "tools/preview/map_options.h"
#include "tools/preview/parameter_overrides.h"
#include "tools/preview/render_names.h"
#include "tools/preview/silence_limit.h"
#include "tools/preview/surface_overrides.h"

namespace preview {

// The environment variable that, when set, replaces preview.png as the default of --output.
inline constexpr const char* kDefaultOutputVariable = "PELORIX3_PREVIEW_OUTPUT";
// The environment variable that, when set, is the command messages tell a person to run
// ("bash scripts/preview.sh"), in place of the program's name.
inline constexpr const char* kCommandVariable = "PELORIX3_PREVIEW_COMMAND";

struct PreviewOptions {
    SceneSettings scene;       // without the model, which is read once the options are known
    std::string modelPath;     // --mesh
    bool creaseGiven = false;  // --crease, which only a model without normals of its own uses
    SurfaceOverrides surface;
    std::vector<MapOption> maps;  // --map
    ParameterOverrides parameters;
    // --surface: the surfaces of an object file the look goes to; none: those that run the
    // module, or else the whole model.
    std::vector<std::string> surfaceNames;
    bool listSurfaces = false;
    std::string writeObjectPath;      // --write-object: the object file with the look in it
    bool writeSurfaceValues = false;  // and the look's surface inputs as its base values
    std::string presetName;           // a look's name, or the path of a look folder
    bool listPresets = false;
    bool showVersion = false;
    bool verbose = false;  // the time of each stage on stderr
    RenderSettings render;
    bool sizeGiven = false;  // --width or --height, which size the preview, not the sheets
    // The preview's file when -o is not given: kDefaultOutputVariable's, or preview.png.
    std::string output = "preview.png";
    bool outputGiven = false;
    int bitDepth = 8;           // of the preview's PNG: 8, or 16 from the linear values
    bool workersGiven = false;  // --workers or --threads; otherwise the count is chosen
    // The least time a render worker may go without sending a row.
    std::chrono::steady_clock::duration workerTimeout = SilenceLimit::kDefaultLeast;
    std::string modulePath;  // empty: the module beside the executable
    std::string loadPath;
    std::string savePath;
    std::string saveLookPath;  // --save-look: the new look folder
    looks::StorageMode loadMode = looks::StorageMode::Auto;
    looks::StorageMode saveMode = looks::StorageMode::Auto;
    std::string panelPath;
    std::string sheetPath;
    std::string switchSheetPath;
    int turntableViews = 0;  // --turntable: that many views around the subject, or none
    // --compare: the looks and stored block files to render side by side, or none.
    std::vector<std::string> compared;

    // Whether --output, --turntable or --compare asks for the render.
    bool asksForRender() const { return outputGiven || turntableViews > 0 || !compared.empty(); }
    bool asksForFiles() const {
        return asksForRender() || !savePath.empty() || !saveLookPath.empty() ||
               !panelPath.empty() || !sheetPath.empty() || !switchSheetPath.empty() ||
               !writeObjectPath.empty();
    }
    // The preview itself (one picture, the turntable or the comparison) is rendered when
    // asked for, or when nothing else was asked for.
    bool wantsRender() const {
        return asksForRender() || (!listPresets && !listSurfaces && !asksForFiles());
    }
    // The module file loaded: --module's, or the one beside the program.
    std::string moduleFile() const;
    // Where the render goes: --output, or a default for each kind of render. For the
    // turntable it is the pattern of the views' names.
    std::string renderPath() const;
};

// Reads the command line into `options`. Returns the exit status when the command line
// alone ends the run: 0 once --help has printed the options on standard output, 2 for a
// bad command line, said on standard error; nothing when the run goes on.
std::optional<int> parseCommandLine(int argc, char** argv, PreviewOptions& options);

}  // namespace preview

#endif
