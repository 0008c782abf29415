#include "web/studio.h"

#include <emscripten.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "host/host_globals.h"
#include "host/module_file.h"
#include "host/storage_states.h"
#include "looks/panel_range.h"

// The module's descriptor, linked into the page from the module's own code.
extern "C" ModuleDescriptor _mod_descrip;

namespace studio {
namespace {

using standin::Status;

// How stored data that is not a file is named in messages.
constexpr const char* kBlockName = "The stored block";

double nowSeconds() { return emscripten_get_now() / 1000.0; }

standin::SceneSettings sceneSettings(standin::SubjectKind subject,
                                     const standin::SurfaceInputs& surface,
                                     const standin::CameraOrbit& orbit) {
    standin::SceneSettings settings;
    settings.subject = subject;
    settings.surface = surface;
    settings.orbit = orbit;
    return settings;
}

std::string joinedLines(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += item.substr(0, item.find('\0'));  // one item a line, without its zero byte
        text += '\n';
    }
    return text;
}

// The looks of `folder` that can be read, in name order.
std::vector<preview::Preset> readPresets(const std::string& folder) {
    std::vector<preview::Preset> presets;
    const standin::Result<std::vector<std::string>> names = preview::presetNames(folder);
    if (!names) return presets;
    for (const std::string& name : names.value()) {
        standin::Result<preview::Preset> preset = preview::readPreset(folder, name);
        if (preset) presets.push_back(std::move(preset.value()));
    }
    return presets;
}

// The pattern a look's maps come to in the page: its map of luminosity's (or "" for
// none); a map the page cannot show refuses the look.
standin::Result<std::string> lookLuminousMap(const preview::Preset& look) {
    std::string pattern;
    for (const preview::LookMap& map : look.maps) {
        const std::optional<std::string> named = patternOfFile(map.path);
        if (!named || map.input != standin::SurfaceInput::Luminous) {
            return standin::Result<std::string>::failure(
                "the look " + look.name + " maps " + std::string(standin::nameOf(map.input)) +
                " with " + std::filesystem::path(map.path).filename().string() +
                ", which the studio cannot show: it maps luminosity with its own patterns");
        }
        pattern = *named;
    }
    return standin::Result<std::string>::success(pattern);
}

}  // namespace

standin::Result<std::unique_ptr<Studio>> Studio::open(standin::SubjectKind subject,
                                                      const std::string& presetsFolder) {
    using Outcome = standin::Result<std::unique_ptr<Studio>>;
    standin::Result<std::unique_ptr<standin::ModuleFile>> file =
        standin::ModuleFile::attach(&_mod_descrip, "pelorix3 (linked into the page)");
    if (!file) return Outcome::failure(file.error());
    standin::Result<standin::ShaderModule> module =
        standin::ShaderModule::activate(std::move(file.value()), {});
    if (!module) return Outcome::failure(module.error());
    standin::Result<standin::ShaderInstance> instance = module->createInstance();
    if (!instance) return Outcome::failure(instance.error());
    std::unique_ptr<Studio> studio(
        new Studio(std::move(module.value()), std::move(instance.value()), presetsFolder));
    if (Status built = studio->setSubject(subject); !built) return Outcome::failure(built.error());
    if (standin::Result<bool> shown = studio->panel_.show(); !shown) {
        return Outcome::failure(shown.error());
    }
    return Outcome::success(std::move(studio));
}

Studio::Studio(standin::ShaderModule module, standin::ShaderInstance instance,
               const std::string& presetsFolder)
    : module_(std::move(module)),
      instance_(std::move(instance)),
      panel_(module_, instance_),
      presetsFolder_(presetsFolder),
      presets_(readPresets(presetsFolder)),
      picture_(kPictureWidth, kPictureHeight),
      messagesSeen_(standin::Host::instance().messages().messages().size()) {}

Studio::~Studio() { standin::Host::instance().setOcclusionTest(nullptr); }

Status Studio::setSubject(standin::SubjectKind subject) {
    return build(sceneSettings(subject, surface_, orbit_));
}

Status Studio::setModel(std::string bytes, const std::string& name) {
    standin::SceneSettings settings = sceneSettings(standin::SubjectKind::Mesh, surface_, orbit_);
    settings.meshName = name;
    settings.meshText = std::make_shared<const std::string>(std::move(bytes));
    return build(settings);
}

Status Studio::build(const standin::SceneSettings& settings) {
    standin::Result<std::unique_ptr<standin::PreviewScene>> built =
        standin::PreviewScene::create(settings);
    if (!built) return Status::failure(built.error());
    standin::Host::instance().setOcclusionTest(nullptr);
    scene_ = std::move(built.value());
    scene_->install(standin::Host::instance());
    subject_ = settings.subject;
    restartPicture();
    return standin::succeeded();
}

void Studio::setOrbit(const standin::CameraOrbit& orbit) {
    standin::CameraOrbit turned = orbit_;  // what is not a number keeps its value
    if (std::isfinite(orbit.orbitDegrees)) {
        turned.orbitDegrees = std::remainder(orbit.orbitDegrees, 360.0);  // -180 to 180
    }
    if (std::isfinite(orbit.elevationDegrees)) turned.elevationDegrees = orbit.elevationDegrees;
    if (std::isfinite(orbit.zoom)) turned.zoom = orbit.zoom;
    scene_->setOrbit(turned);
    orbit_ = scene_->orbit();  // as held: the next turn starts where the camera stopped
    scene_->setOrbit(orbit_);
    restartPicture();
}

standin::Result<preview::ParameterBlock> Studio::parameters() const {
    return preview::readBack(instance_);
}

std::string Studio::storedText() const {
    standin::MemorySaveState saved(HOST_IO_ASCII);
    instance_.save(saved.state());
    return joinedLines(saved.items());
}

std::string Studio::storedBinary() const {
    standin::MemorySaveState saved(HOST_IO_BINARY);
    instance_.save(saved.state());
    return saved.bytes();
}

Status Studio::loadStored(const std::string& bytes, preview::StorageMode mode) {
    const standin::Result<preview::ParameterFile> block =
        preview::parseParameterData(kBlockName, bytes, mode);
    if (!block) return Status::failure(block.error());
    Status loaded = preview::loadInto(instance_, block.value());
    if (loaded) restartPicture();
    return loaded;
}

Status Studio::applyPreset(const std::string& name) {
    const standin::Result<preview::Preset> preset = preview::readPreset(presetsFolder_, name);
    if (!preset) return Status::failure(preset.error());
    const standin::Result<std::string> luminousMap = lookLuminousMap(preset.value());
    if (!luminousMap) return Status::failure(luminousMap.error());
    if (Status loaded = preview::loadInto(instance_, preset->parameters); !loaded) return loaded;
    surface_ = preset->surface;
    return setLuminousMap(luminousMap.value());
}

Status Studio::setLuminousMap(const std::string& pattern) {
    std::shared_ptr<const standin::TextureMap> map;
    if (!pattern.empty()) {
        map = patterns_.map(pattern);
        if (!map) return Status::failure("there is no pattern \"" + pattern + "\"");
    }
    surface_.maps.of(standin::SurfaceInput::Luminous) = std::move(map);
    luminousMap_ = pattern;
    scene_->setSurface(surface_);
    restartPicture();
    return standin::succeeded();
}

std::string Studio::lookName() const {
    const std::string stored = storedText();
    for (const preview::Preset& preset : presets_) {
        if (joinedLines(preset.parameters.lines) == stored) return preset.name;
    }
    return {};
}

std::vector<std::string> Studio::panelRangeWarnings() const {
    const standin::Result<preview::ParameterBlock> block = parameters();
    return block ? preview::outOfPanelRange(block.value()) : std::vector<std::string>{};
}

void Studio::restartPicture() {
    picture_.restart();
    frameStarted_ = false;
}

bool Studio::renderStep(double seconds) {
    if (picture_.finished()) return false;
    if (!frameStarted_) {
        // Every picture is a new frame, as when the renderer renders again.
        instance_.newTime(1, 0.0);
        frameStarted_ = true;
    }
    const bool more = picture_.step(instance_, *scene_, seconds, nowSeconds);
    if (!more) ++renderCount_;
    return more;
}

std::vector<std::string> Studio::takeMessages() {
    const std::vector<standin::Message> all = standin::Host::instance().messages().messages();
    std::vector<std::string> texts;
    for (std::size_t i = messagesSeen_; i < all.size(); ++i) {
        std::string text = all[i].first.value_or("");
        if (all[i].second) text += (text.empty() ? "" : "\n") + *all[i].second;
        texts.push_back(text);
    }
    messagesSeen_ = all.size();
    return texts;
}

}  // namespace studio
