// The studio: the module's code linked into the page and attached through its exported
// descriptor, as the renderer would load it, one shader instance in the stand-in host's
// preview scene (and, for an object file's other surfaces that run the module, one more
// each, loaded with their stored blocks), its options panel worked by the person at the page, the
// surface inputs the renderer hands it, its stored block in text and binary form, the named looks
// and looks as one file, a map of the surface's luminosity, and the picture that follows every
// edit. The page's workers each run a studio of their own, given the same state, to render
// bands of rows of the refined picture.
#ifndef PELORIX3_WEB_STUDIO_H
#define PELORIX3_WEB_STUDIO_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_block.h"
#include "looks/parameter_file.h"
#include "looks/preset.h"
#include "looks/scene_shader.h"
#include "models/surface.h"
#include "render/preview_scene.h"
#include "web/look_archive.h"
#include "web/panel_user.h"
#include "web/pattern_maps.h"
#include "web/progressive_render.h"

namespace studio {

// Stored data in one of its two forms.
struct StoredData {
    std::string bytes;
    looks::StorageMode mode = looks::StorageMode::Text;
};

// The picture's size in the page.
inline constexpr int kPictureWidth = 384;
inline constexpr int kPictureHeight = 288;

class Studio {
public:
    // Attaches the module, creates the instance with the module's defaults, builds the
    // scene (the sphere, or the draped cloth) and paints the panel. The named looks are
    // read from `presetsFolder` (the page has them built in under /presets).
    static base::Result<std::unique_ptr<Studio>> open(render::SubjectKind subject,
                                                      const std::string& presetsFolder);

    Studio(const Studio&) = delete;
    Studio& operator=(const Studio&) = delete;
    ~Studio();

    // The options panel. After it confirms an edit, the instance takes its stored block
    // again, so that it holds what it stores, which another instance of the module (a
    // worker's) loads to the same values; the picture starts again.
    PanelUser& panel() { return panel_; }

    // Changes the subject; the picture starts again, from the camera's orbit.
    base::Status setSubject(render::SubjectKind subject);
    render::SubjectKind subject() const { return subject_; }
    // Makes the model of a file's bytes the subject (an object file, LWO2 or LWOB, or OBJ
    // text, told apart by their content); `name` stands for the file in messages. The
    // picture starts again; a file that cannot be read is refused with the reason, and the
    // subject stays as it was.
    base::Status setModel(std::string bytes, const std::string& name);
    // What reading the model left out or replaced, and which of its surfaces' blocks could
    // not be read or shaders are not run, each naming its file; empty for the sphere and
    // the cloth.
    std::vector<std::string> modelWarnings() const;

    // The surfaces of an object file shown, each shaded as the renderer sets it up: the
    // picked one by the panel's instance with the surface inputs, each other that runs the
    // module by an instance of its own loaded with its stored block, the rest in a plain
    // material of their base values. A model without surfaces of its own (OBJ), or one none
    // of whose surfaces runs the module until one is picked, wears the look all over as one
    // surface. A new object file picks its first surface that runs the module.
    const std::vector<models::Surface>& modelSurfaces() const { return scene_->modelSurfaces(); }
    std::optional<std::size_t> pickedSurface() const { return picked_; }
    // Makes the surface at `index` the one the panel and the surface inputs edit: the
    // inputs become its base values, without a map, and when it runs the module its stored
    // block is loaded into the panel's instance (the module's defaults when the block cannot
    // be read); otherwise the panel's values go onto it. The surface picked before goes back
    // to what the file gives it. The picture starts again.
    base::Status pickSurface(std::size_t index);
    // The object file shown with the look written into the picked surface (every surface
    // when none is picked): the stored block as the instance saves it in binary mode and,
    // when they differ from the surface's own, the surface inputs as its base values (a
    // map's constant stands for the map). Every other byte is the file's. Refused for a
    // subject that is not an object file.
    base::Result<std::string> objectFile() const;
    // Its name: the model's, with "-pelorix3" before the extension.
    std::string objectFileName() const;

    // Turns the camera about the subject; the picture starts again. The orbit is kept as
    // it turns the camera, its elevation and zoom held within their limits, so that a
    // drag turns on from where the camera stopped.
    void setOrbit(const render::CameraOrbit& orbit);
    render::CameraOrbit orbit() const { return scene_->orbit(); }

    // The surface inputs the renderer hands the shader for the subject: one set by its
    // name ("color", "diffuse", "specular", "luminous", "roughness") from text, as the
    // command line takes it ("0.5,0.1,0.1", "0.9"); a value the command line refuses is
    // refused with its reason, and nothing changes. The picture starts again.
    base::Status setSurfaceInput(const std::string& name, const std::string& text);
    const render::SurfaceInputs& surface() const { return surface_; }
    // The command line's warnings about the surface inputs: a colour no panel can show.
    std::vector<std::string> surfaceWarnings() const;
    // Why the picture may not show what the user expects of the parameters and inputs as
    // they stand: the pile gone with density modulated by a luminosity of 0.
    std::vector<std::string> notes() const;

    // The parameters the instance holds, read through its save entry (six decimals).
    base::Result<looks::ParameterBlock> parameters() const;
    // The stored block as the instance saves it: text lines as a scene file keeps them,
    // or the 28 bytes of the binary form.
    std::string storedText() const;
    std::string storedBinary() const;
    // Checks a stored block (text, binary, or either by its content) and loads it through
    // the module's load entry; a damaged block is refused with the reason and the
    // parameters stay as they were. The surface inputs stay as they are.
    base::Status loadStored(const std::string& bytes, looks::StorageMode mode);
    // The stored data the instance's parameters were last loaded from: loaded by another
    // instance of the module, it gives that instance the same values.
    StoredData parameterSource() const;
    // Once, after the first block loaded alone: where the surface inputs come from, and
    // how to take a look's own; "" after that.
    std::string takeBlockNote();

    // The named looks built into the page, and taking one: its stored block through the
    // module's load entry and its surface inputs into the scene. A look is taken whole or
    // not at all.
    const std::vector<looks::Preset>& presets() const { return presets_; }
    base::Status applyPreset(const std::string& name);
    // The look whose parameters.txt the instance's stored text equals and whose surface
    // inputs (its map included) the scene's are, or "" when there is none (the look is the
    // user's own).
    std::string lookName() const;

    // The look as one file (look_archive.h): the stored block, the surface inputs and the
    // map; and its name, the named look's or "pelorix3-look", with ".zip".
    std::string lookZip() const;
    std::string lookZipName() const;
    // Takes the look of such a file (`name` stands for it in messages), whole or not at
    // all: a file that cannot be read as a look is refused with the reason.
    base::Status loadLook(const std::string& bytes, const std::string& name);

    // The map of the surface's luminosity: one of the built-in patterns (render/patterns.h)
    // by its name, or none for "". A look sets its own; the picture starts again. A subject
    // without texture coordinates refuses a map.
    base::Status setLuminousMap(const std::string& pattern);
    const std::string& luminousMap() const { return luminousMap_; }

    // One sentence for each value the instance holds that the panel cannot show (a
    // percentage outside 0 to 100 %, a colour outside 0 to 255): what the command line
    // warns about.
    std::vector<std::string> panelRangeWarnings() const;

    // The picture starts again from its coarse pass, at a new frame of the instance.
    void restartPicture();
    // Renders for about `seconds`; true while there is more to render here.
    bool renderStep(double seconds);
    const ProgressiveRender& picture() const { return picture_; }
    // Pictures rendered to the last (refined) pass since the page opened.
    int renderCount() const { return renderCount_; }

    // The refined pass left to the page's workers: renderStep() stops before it, and the
    // workers' picture (RGB bytes of the refined size) is shown with showRefined(); false
    // when none is awaited or the bytes are not that size.
    void setRefinedElsewhere(bool elsewhere) { picture_.setRefinedElsewhere(elsewhere); }
    bool showRefined(std::vector<unsigned char> rgb);
    // A worker's side: starts a frame of the instance, then renders rows of the refined
    // pass one at a time, each the row this studio's own refined pass renders for the same
    // state; the row's RGB bytes stay valid until the next call.
    void startRefinedFrame();
    const unsigned char* renderRefinedRow(int y);

    // What the module showed the user through the host's messages since the last call.
    std::vector<std::string> takeMessages();

private:
    Studio(looks::SceneShader opened, render::SubjectKind subject,
           const std::string& presetsFolder);
    // Makes a scene of `settings` the subject's, in place of the one before.
    base::Status build(const render::SceneSettings& settings);
    // The scene just made is `subject`'s; the picture starts again.
    void showSubject(render::SubjectKind subject);
    void panelEdited();
    // The surfaces' shading with `index` picked, and the stored block the panel's instance
    // takes for it; nothing changes on a failure.
    base::Status shadeSurfaces(std::size_t index);
    // Takes a look whole: its block, its surface inputs and the pattern of its map.
    base::Status applyLook(const looks::Preset& look);
    // The current surface inputs and map on the scene; the picture starts again.
    void showSurface();
    bool isLook(const looks::Preset& look) const;
    // The named look whose block the stored text is, or null.
    const looks::Preset* lookOfBlock() const;

    standin::ShaderModule module_;
    standin::ShaderInstance instance_;
    PanelUser panel_;
    render::SubjectKind subject_ = render::SubjectKind::Sphere;
    std::unique_ptr<render::PreviewScene> scene_;    // the host's shadow test points at it
    std::shared_ptr<const std::string> modelBytes_;  // the model file shown, or null
    std::string modelName_;
    std::optional<std::size_t> picked_;
    // The instances of the surfaces not picked that run the module; the scene's shading
    // table points at them.
    std::vector<std::unique_ptr<standin::ShaderInstance>> surfaceInstances_;
    std::vector<std::string> surfaceWarnings_;
    std::string presetsFolder_;
    std::vector<looks::Preset> presets_;  // read once, when the studio opens
    looks::ParameterFile source_;         // what the parameters were last loaded from
    bool blockNoteGiven_ = false;
    std::string description_;  // for the look's file when it is no named look
    render::SurfaceInputs surface_;
    render::CameraOrbit orbit_;
    PatternMaps patterns_;
    std::string luminousMap_;  // the pattern that maps surface_'s luminosity, or ""
    ProgressiveRender picture_;
    render::Image refinedRows_;  // a worker's rows of the refined pass
    int renderCount_ = 0;
    bool frameStarted_ = false;
    std::size_t messagesSeen_ = 0;
};

}  // namespace studio

#endif
