#include "web/studio.h"

#include <emscripten.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "base/message_text.h"
#include "host/host_globals.h"
#include "host/module_file.h"
#include "host/storage_states.h"
#include "looks/model_surfaces.h"
#include "looks/panel_range.h"
#include "looks/scene_shader.h"
#include "looks/surface_value.h"
#include "models/look_writer.h"
#include "models/lwo_form.h"
#include "models/stored_block.h"

// The module's descriptor, linked into the page from the module's own code.
extern "C" ModuleDescriptor _mod_descrip;

namespace studio {
namespace {

using base::Status;

// How stored data that is not a file is named in messages.
constexpr const char* kBlockName = "The stored block";
// How a look's file is named when the look has no name.
constexpr const char* kLookFileName = "pelorix3-look";
constexpr const char* kOwnLookDescription = "a look made in the pelorix3 studio";

double nowSeconds() { return emscripten_get_now() / 1000.0; }

render::SceneSettings sceneSettings(render::SubjectKind subject,
                                    const render::SurfaceInputs& surface,
                                    const render::CameraOrbit& orbit) {
    render::SceneSettings settings;
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

// The stored block as `instance` saves it in `mode`: text lines joined, or the bytes.
std::string savedBlock(const standin::ShaderInstance& instance, HostStorageMode mode) {
    standin::MemorySaveState saved(mode);
    instance.save(saved.state());
    return mode == HOST_IO_ASCII ? joinedLines(saved.items()) : saved.bytes();
}

// The looks of `folder` that can be read, in name order.
std::vector<looks::Preset> readPresets(const std::string& folder) {
    std::vector<looks::Preset> presets;
    const base::Result<std::vector<std::string>> names = looks::presetNames(folder);
    if (!names) return presets;
    for (const std::string& name : names.value()) {
        base::Result<looks::Preset> preset = looks::readPreset(folder, name);
        if (preset) presets.push_back(std::move(preset.value()));
    }
    return presets;
}

// The pattern a look's maps come to in the page: its map of luminosity's (or "" for
// none); a map the page cannot show refuses the look. A map's path may be its file's name
// alone.
base::Result<std::string> lookLuminousMap(const looks::Preset& look) {
    std::string pattern;
    for (const looks::LookMap& map : look.maps) {
        const std::optional<std::string> named = patternOfFile(map.path);
        if (!named || map.input != render::SurfaceInput::Luminous) {
            return base::Result<std::string>::failure(
                "the look " + look.name + " maps " + std::string(render::nameOf(map.input)) +
                " with " + std::filesystem::path(map.path).filename().string() +
                ", which the studio cannot show: it maps luminosity with its own patterns");
        }
        pattern = *named;
    }
    return base::Result<std::string>::success(pattern);
}

bool sameSurface(const render::SurfaceInputs& a, const render::SurfaceInputs& b) {
    return a.color == b.color && a.diffuse == b.diffuse && a.specular == b.specular &&
           a.luminous == b.luminous && a.roughness == b.roughness;
}

// The stored text as a parameter file, as a look's parameters.txt is read.
looks::ParameterFile textSource(const std::string& storedText) {
    const base::Result<looks::ParameterFile> file =
        looks::parseParameterData(kBlockName, storedText, looks::StorageMode::Text);
    return file ? file.value() : looks::ParameterFile{};
}

}  // namespace

base::Result<std::unique_ptr<Studio>> Studio::open(render::SubjectKind subject,
                                                   const std::string& presetsFolder) {
    using Outcome = base::Result<std::unique_ptr<Studio>>;
    base::Result<std::unique_ptr<standin::ModuleFile>> file =
        standin::ModuleFile::attach(&_mod_descrip, "pelorix3 (linked into the page)");
    if (!file) return Outcome::failure(file.error());
    base::Result<looks::SceneShader> opened =
        looks::openSceneShader(standin::ShaderModule::activate(std::move(file.value()), {}),
                               sceneSettings(subject, {}, {}), "");
    if (!opened) return Outcome::failure(opened.error());
    std::unique_ptr<Studio> studio(new Studio(std::move(opened.value()), subject, presetsFolder));
    if (base::Result<bool> shown = studio->panel_.show(); !shown) {
        return Outcome::failure(shown.error());
    }
    return Outcome::success(std::move(studio));
}

Studio::Studio(looks::SceneShader opened, render::SubjectKind subject,
               const std::string& presetsFolder)
    : module_(std::move(opened.module)),
      instance_(std::move(opened.instance)),
      panel_(module_, instance_, [this] { panelEdited(); }),
      scene_(std::move(opened.scene)),
      presetsFolder_(presetsFolder),
      presets_(readPresets(presetsFolder)),
      description_(kOwnLookDescription),
      picture_(kPictureWidth, kPictureHeight),
      messagesSeen_(standin::Host::instance().messages().messages().size()) {
    source_ = textSource(storedText());
    showSubject(subject);
}

Studio::~Studio() { standin::Host::instance().setOcclusionTest(nullptr); }

void Studio::panelEdited() {
    source_ = textSource(storedText());
    (void)looks::loadInto(instance_, source_);  // the module's own saved text: it loads
    restartPicture();
}

Status Studio::setSubject(render::SubjectKind subject) {
    return build(sceneSettings(subject, surface_, orbit_));
}

Status Studio::setModel(std::string bytes, const std::string& name) {
    // The orbit of the subject before is no turn of this one's framing.
    render::SceneSettings settings = sceneSettings(render::SubjectKind::Mesh, surface_, {});
    settings.meshName = name;
    settings.meshText = std::make_shared<const std::string>(std::move(bytes));
    // Each surface of an object file creases at its own smoothing angle, as the renderer
    // and the preview tool (without --crease) smooth it.
    settings.creaseFromSurfaces = true;
    return build(settings);
}

Status Studio::build(const render::SceneSettings& settings) {
    base::Result<std::unique_ptr<render::PreviewScene>> built =
        render::PreviewScene::create(settings);
    if (!built) return Status::failure(built.error());
    standin::Host::instance().setOcclusionTest(nullptr);
    scene_ = std::move(built.value());
    scene_->install(standin::Host::instance());
    surfaceInstances_.clear();  // the scene before was the only one to use them
    picked_.reset();
    surfaceWarnings_.clear();
    modelBytes_ = settings.meshText;
    modelName_ = settings.meshName;
    looks::warnOtherShaders(scene_->modelSurfaces(), modelName_, surfaceWarnings_);
    showSubject(settings.subject);
    const std::vector<models::Surface>& surfaces = scene_->modelSurfaces();
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        if (!models::moduleEntry(surfaces[i])) continue;
        // The model is shown by now: a surface the module cannot shade leaves the look all
        // over it, said among the model's warnings.
        if (Status picked = pickSurface(i); !picked) surfaceWarnings_.push_back(picked.error());
        break;
    }
    return base::succeeded();
}

std::vector<std::string> Studio::modelWarnings() const {
    std::vector<std::string> warnings = scene_->warnings();
    warnings.insert(warnings.end(), surfaceWarnings_.begin(), surfaceWarnings_.end());
    return warnings;
}

Status Studio::pickSurface(std::size_t index) {
    const std::vector<models::Surface>& surfaces = scene_->modelSurfaces();
    if (index >= surfaces.size()) {
        return Status::failure("the model has " +
                               base::counted(surfaces.size(), "surface", "surfaces") +
                               ": there is no surface " + std::to_string(index + 1));
    }
    if (Status shaded = shadeSurfaces(index); !shaded) return shaded;
    surface_ = looks::inputsOf(surfaces[index].base);
    luminousMap_.clear();
    showSurface();
    return base::succeeded();
}

Status Studio::shadeSurfaces(std::size_t index) {
    const std::vector<models::Surface>& surfaces = scene_->modelSurfaces();
    std::vector<std::string> warnings;
    looks::warnOtherShaders(surfaces, modelName_, warnings);
    std::vector<std::unique_ptr<standin::ShaderInstance>> instances;
    std::vector<render::SurfaceShading> shading;
    // The picked surface's block is read into an instance of its own too, so that a block
    // that cannot be read leaves the module's defaults, not the panel's values.
    std::string pickedBlock;
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        render::SurfaceShading entry{nullptr, looks::inputsOf(surfaces[i].base)};
        if (models::moduleEntry(surfaces[i])) {
            base::Result<standin::ShaderInstance> created = module_.createInstance();
            if (!created) return Status::failure(modelName_ + ": " + created.error());
            auto own = std::make_unique<standin::ShaderInstance>(std::move(created.value()));
            if (Status loaded = looks::loadStoredBlock(*own, surfaces[i], modelName_, warnings);
                !loaded) {
                return loaded;
            }
            if (i == index) pickedBlock = savedBlock(*own, HOST_IO_ASCII);
            entry.shader = own.get();
            instances.push_back(std::move(own));
        }
        if (i == index) entry.shader = &instance_;
        shading.push_back(std::move(entry));
    }
    if (!pickedBlock.empty()) {
        const looks::ParameterFile block = textSource(pickedBlock);
        if (Status loaded = looks::loadInto(instance_, block); !loaded) return loaded;
        source_ = block;
    }
    scene_->setSurfaceShading(std::move(shading));
    surfaceInstances_ = std::move(instances);
    surfaceWarnings_ = std::move(warnings);
    picked_ = index;
    return base::succeeded();
}

base::Result<std::string> Studio::objectFile() const {
    using Outcome = base::Result<std::string>;
    if (!modelBytes_ || !models::startsAsIffFile(*modelBytes_)) {
        return Outcome::failure(
            "only an object file (LWO2, LWOB) has surfaces to write a look into; " +
            (modelBytes_ ? modelName_ + " is an OBJ model"
                         : std::string("the subject is no model")));
    }
    const std::string binary = storedBinary();
    if (binary.size() != models::kStoredBlockBytes) {
        return Outcome::failure("the module saved " +
                                base::counted(binary.size(), "byte", "bytes") + ", not the " +
                                std::to_string(models::kStoredBlockBytes) + " of its stored block");
    }
    models::ObjectLook look{};
    std::copy(binary.begin(), binary.end(), look.block.begin());
    std::vector<std::string> names;
    for (const models::Surface& surface : scene_->modelSurfaces()) names.push_back(surface.name);
    if (picked_) {
        const models::Surface& surface = scene_->modelSurfaces()[*picked_];
        names = {surface.name};
        if (!sameSurface(surface_, looks::inputsOf(surface.base))) {
            look.values = models::BaseValues{surface_.color, surface_.diffuse, surface_.specular,
                                             surface_.luminous, surface_.roughness};
        }
    }
    return models::writeLook(*modelBytes_, modelName_, names, look);
}

std::string Studio::objectFileName() const {
    const std::filesystem::path name = std::filesystem::path(modelName_).filename();
    return name.stem().string() + "-pelorix3" + name.extension().string();
}

void Studio::showSubject(render::SubjectKind subject) {
    subject_ = subject;
    orbit_ = scene_->orbit();
    restartPicture();
}

void Studio::setOrbit(const render::CameraOrbit& orbit) {
    render::CameraOrbit turned = orbit_;  // what is not a number keeps its value
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

base::Result<looks::ParameterBlock> Studio::parameters() const {
    return looks::readBack(instance_);
}

std::string Studio::storedText() const { return savedBlock(instance_, HOST_IO_ASCII); }

std::string Studio::storedBinary() const { return savedBlock(instance_, HOST_IO_BINARY); }

Status Studio::loadStored(const std::string& bytes, looks::StorageMode mode) {
    const base::Result<looks::ParameterFile> block =
        looks::parseParameterData(kBlockName, bytes, mode);
    if (!block) return Status::failure(block.error());
    Status loaded = looks::loadInto(instance_, block.value());
    if (!loaded) return loaded;
    source_ = block.value();
    restartPicture();
    return loaded;
}

StoredData Studio::parameterSource() const {
    if (source_.mode == HOST_IO_BINARY) return {source_.bytes, looks::StorageMode::Binary};
    return {joinedLines(source_.lines), looks::StorageMode::Text};
}

std::string Studio::takeBlockNote() {
    if (blockNoteGiven_) return {};
    blockNoteGiven_ = true;
    std::string note =
        "A stored block holds the shader's seven values only: the surface inputs (colour, "
        "diffuse, specular, luminosity, roughness and the luminosity map) stay as they are "
        "beside the panel.";
    if (const looks::Preset* look = lookOfBlock(); look && lookName() != look->name) {
        return note + " The block is " + look->name + "'s: choose " + look->name +
               " in the Look list to take its surface inputs too.";
    }
    return note + " A look's file (Download look) holds both.";
}

Status Studio::applyPreset(const std::string& name) {
    const base::Result<looks::Preset> preset = looks::readPreset(presetsFolder_, name);
    if (!preset) return Status::failure(preset.error());
    return applyLook(preset.value());
}

Status Studio::loadLook(const std::string& bytes, const std::string& name) {
    const base::Result<looks::Preset> look = readLookZip(bytes, name, presetsFolder_);
    if (!look) return Status::failure(look.error());
    return applyLook(look.value());
}

Status Studio::applyLook(const looks::Preset& look) {
    const base::Result<std::string> luminousMap = lookLuminousMap(look);
    if (!luminousMap) return Status::failure(luminousMap.error());
    if (!luminousMap->empty() && !scene_->canWearMaps()) {
        return Status::failure("the look " + (look.name.empty() ? std::string() : look.name + " ") +
                               "maps luminosity, and the model has no texture coordinates to "
                               "place the map with");
    }
    if (Status loaded = looks::loadInto(instance_, look.parameters); !loaded) return loaded;
    source_ = look.parameters;
    // A named look's file is saved under its own description while it is that look.
    description_ =
        look.name.empty() ? look.description : look.name + ", changed in the pelorix3 studio";
    surface_ = look.surface;
    luminousMap_ = luminousMap.value();
    showSurface();
    return base::succeeded();
}

Status Studio::setLuminousMap(const std::string& pattern) {
    if (!pattern.empty() && !patterns_.map(pattern)) {
        return Status::failure("there is no pattern \"" + pattern + "\"");
    }
    if (!pattern.empty() && !scene_->canWearMaps()) {
        return Status::failure(
            "the model has no texture coordinates to place a map with (an "
            "OBJ model gives them in vt lines, an object file in a TXUV map)");
    }
    luminousMap_ = pattern;
    showSurface();
    return base::succeeded();
}

void Studio::showSurface() {
    surface_.maps.of(render::SurfaceInput::Luminous) =
        luminousMap_.empty() ? nullptr : patterns_.map(luminousMap_);
    scene_->setSurface(surface_);
    if (picked_) {
        std::vector<render::SurfaceShading> shading = scene_->surfaceShading();
        shading[*picked_].inputs = surface_;
        scene_->setSurfaceShading(std::move(shading));
    }
    restartPicture();
}

Status Studio::setSurfaceInput(const std::string& name, const std::string& text) {
    if (Status set = looks::setSurfaceValue(surface_, name, text); !set) return set;
    showSurface();
    return base::succeeded();
}

std::vector<std::string> Studio::surfaceWarnings() const {
    return looks::outOfColourRange("surface colour", surface_.color);
}

std::vector<std::string> Studio::notes() const {
    const base::Result<looks::ParameterBlock> block = parameters();
    if (!block || block->densityByLuminosity == 0.0 || surface_.luminous != 0.0 ||
        !luminousMap_.empty()) {
        return {};
    }
    return {
        "Modulate Density by Luminosity is on and the luminosity is 0, so the density is 0: "
        "the pile (its grazing light and its sheen) is gone, leaving the plain diffuse body. "
        "Raise Luminosity, choose a luminosity map, or turn the switch off."};
}

bool Studio::isLook(const looks::Preset& look) const {
    const base::Result<std::string> pattern = lookLuminousMap(look);
    return pattern && pattern.value() == luminousMap_ && sameSurface(look.surface, surface_) &&
           joinedLines(look.parameters.lines) == storedText();
}

const looks::Preset* Studio::lookOfBlock() const {
    const std::string stored = storedText();
    for (const looks::Preset& preset : presets_) {
        if (joinedLines(preset.parameters.lines) == stored) return &preset;
    }
    return nullptr;
}

std::string Studio::lookName() const {
    for (const looks::Preset& preset : presets_) {
        if (isLook(preset)) return preset.name;
    }
    return {};
}

std::string Studio::lookZip() const {
    const std::string named = lookName();
    std::string description = description_;
    for (const looks::Preset& preset : presets_) {
        if (preset.name == named) description = preset.description;
    }
    return studio::lookZip({storedText(), description, surface_, luminousMap_});
}

std::string Studio::lookZipName() const {
    const std::string named = lookName();
    return (named.empty() ? kLookFileName : named) + ".zip";
}

std::vector<std::string> Studio::panelRangeWarnings() const {
    const base::Result<looks::ParameterBlock> block = parameters();
    return block ? looks::outOfPanelRange(block.value()) : std::vector<std::string>{};
}

void Studio::restartPicture() {
    picture_.restart();
    frameStarted_ = false;
}

bool Studio::showRefined(std::vector<unsigned char> rgb) {
    const render::RenderSettings refined = picture_.refinedSettings();
    if (!picture_.showRefined({refined.width, refined.height, std::move(rgb)})) return false;
    ++renderCount_;
    return true;
}

void Studio::startRefinedFrame() {
    instance_.newTime(1, 0.0);
    const render::RenderSettings refined = picture_.refinedSettings();
    refinedRows_ = {refined.width, refined.height,
                    std::vector<unsigned char>(3 * static_cast<std::size_t>(refined.width) *
                                               static_cast<std::size_t>(refined.height))};
}

const unsigned char* Studio::renderRefinedRow(int y) {
    const render::RenderSettings refined = picture_.refinedSettings();
    if (y < 0 || y >= refined.height || refinedRows_.rgb.empty()) return nullptr;
    render::renderRows(instance_, *scene_, refined, y, y + 1, refinedRows_);
    return refinedRows_.rgb.data() + 3 * static_cast<std::size_t>(y) * refined.width;
}

bool Studio::renderStep(double seconds) {
    if (picture_.finished() || picture_.waitingForRefined()) return false;
    if (!frameStarted_) {
        // Every picture is a new frame, as when the renderer renders again.
        instance_.newTime(1, 0.0);
        frameStarted_ = true;
    }
    const bool more = picture_.step(instance_, *scene_, seconds, nowSeconds);
    if (picture_.finished()) ++renderCount_;
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
