// The studio: the module's code linked into the page and attached through its exported
// descriptor, as the renderer would load it, one shader instance in the stand-in host's
// preview scene, its options panel worked by the person at the page, its stored block in
// text and binary form, the named looks, a map of the surface's luminosity, and the picture
// that follows every edit.
#ifndef PELORIX3_WEB_STUDIO_H
#define PELORIX3_WEB_STUDIO_H

#include <memory>
#include <string>
#include <vector>

#include "host/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_block.h"
#include "looks/parameter_file.h"
#include "looks/preset.h"
#include "render/preview_scene.h"
#include "web/panel_user.h"
#include "web/pattern_maps.h"
#include "web/progressive_render.h"

namespace studio {

// The picture's size in the page.
inline constexpr int kPictureWidth = 384;
inline constexpr int kPictureHeight = 288;

class Studio {
public:
    // Attaches the module, creates the instance with the module's defaults, builds the
    // scene (the sphere, or the draped cloth) and paints the panel. The named looks are
    // read from `presetsFolder` (the page has them built in under /presets).
    static standin::Result<std::unique_ptr<Studio>> open(standin::SubjectKind subject,
                                                         const std::string& presetsFolder);

    Studio(const Studio&) = delete;
    Studio& operator=(const Studio&) = delete;
    ~Studio();

    PanelUser& panel() { return panel_; }

    // Changes the subject; the picture starts again, from the camera's orbit.
    standin::Status setSubject(standin::SubjectKind subject);
    standin::SubjectKind subject() const { return subject_; }
    // Makes the model of a file's bytes the subject (an object file, LWO2 or LWOB, or OBJ
    // text, told apart by their content); `name` stands for the file in messages. The
    // picture starts again; a file that cannot be read is refused with the reason, and the
    // subject stays as it was.
    standin::Status setModel(std::string bytes, const std::string& name);
    // What reading the model left out or replaced, each naming its file; empty for the
    // sphere and the cloth.
    const std::vector<std::string>& modelWarnings() const { return scene_->warnings(); }

    // Turns the camera about the subject; the picture starts again. The orbit is kept as
    // it turns the camera, its elevation and zoom held within their limits, so that a
    // drag turns on from where the camera stopped.
    void setOrbit(const standin::CameraOrbit& orbit);
    standin::CameraOrbit orbit() const { return scene_->orbit(); }

    // The parameters the instance holds, read through its save entry (six decimals).
    standin::Result<preview::ParameterBlock> parameters() const;
    // The stored block as the instance saves it: text lines as a scene file keeps them,
    // or the 28 bytes of the binary form.
    std::string storedText() const;
    std::string storedBinary() const;
    // Checks a stored block (text, binary, or either by its content) and loads it through
    // the module's load entry; a damaged block is refused with the reason and the
    // parameters stay as they were.
    standin::Status loadStored(const std::string& bytes, preview::StorageMode mode);

    // The named looks built into the page, and taking one: its stored block through the
    // module's load entry and its surface inputs into the scene.
    const std::vector<preview::Preset>& presets() const { return presets_; }
    standin::Status applyPreset(const std::string& name);
    // The look whose parameters.txt the instance's stored text equals, or "" when none
    // does (the parameters are the user's own).
    std::string lookName() const;

    // The map of the surface's luminosity: one of the built-in patterns (render/patterns.h)
    // by its name, or none for "". A look sets its own; the picture starts again.
    standin::Status setLuminousMap(const std::string& pattern);
    const std::string& luminousMap() const { return luminousMap_; }

    // One sentence for each value the instance holds that the panel cannot show (a
    // percentage outside 0 to 100 %, a colour outside 0 to 255): what the command line
    // warns about.
    std::vector<std::string> panelRangeWarnings() const;

    // The picture starts again from its coarse pass, at a new frame of the instance.
    void restartPicture();
    bool renderStep(double seconds);
    const ProgressiveRender& picture() const { return picture_; }
    // Pictures rendered to the last (refined) pass since the page opened.
    int renderCount() const { return renderCount_; }

    // What the module showed the user through the host's messages since the last call.
    std::vector<std::string> takeMessages();

private:
    Studio(standin::ShaderModule module, standin::ShaderInstance instance,
           const std::string& presetsFolder);
    standin::Status build(const standin::SceneSettings& settings);

    standin::ShaderModule module_;
    standin::ShaderInstance instance_;
    PanelUser panel_;
    standin::SubjectKind subject_ = standin::SubjectKind::Sphere;
    std::unique_ptr<standin::PreviewScene> scene_;  // the host's shadow test points at it
    std::string presetsFolder_;
    std::vector<preview::Preset> presets_;  // read once, when the studio opens
    standin::SurfaceInputs surface_;
    standin::CameraOrbit orbit_;
    PatternMaps patterns_;
    std::string luminousMap_;  // the pattern that maps surface_'s luminosity, or ""
    ProgressiveRender picture_;
    int renderCount_ = 0;
    bool frameStarted_ = false;
    std::size_t messagesSeen_ = 0;
};

}  // namespace studio

#endif
