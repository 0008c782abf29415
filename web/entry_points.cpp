// The entry points the page's script calls. Texts come back as zero-terminated UTF-8 that
// stays valid until the next entry that returns a text; pixels as addresses into the
// WebAssembly memory, red, green, blue and alpha per pixel. Every edit goes through the
// module's own panel code or its load entry: nothing here writes the instance's fields.
#include <emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "looks/surface_value.h"
#include "models/stored_block.h"
#include "render/patterns.h"
#include "web/studio.h"

namespace {

std::unique_ptr<studio::Studio> theStudio;
std::string lastError;
std::vector<unsigned char> panelPixels;

// Results of the panel entries: bit 0 the parameters were edited (the picture starts
// again), bit 1 the panel was opened and painted anew; -1 the panel failed (lastError).
int panelResult(const base::Result<bool>& edited) {
    if (!edited) {
        lastError = edited.error();
        return -1;
    }
    if (edited.value()) theStudio->restartPicture();
    return (edited.value() ? 1 : 0) | 2;
}

// 1 when `done`; 0 when not, studio_error then saying why.
int doneOrError(const base::Status& done) {
    if (!done) lastError = done.error();
    return done ? 1 : 0;
}

const char* kept(std::string text) {
    static std::string storage;
    storage = std::move(text);
    return storage.c_str();
}

std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            json += ' ';
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// [{"name":…, "description":…}, …] of `entries`, in their order.
template <typename Named>
std::string namedList(const Named& entries) {
    std::string json = "[";
    for (const auto& entry : entries) {
        json += (json.size() > 1 ? "," : "") + std::string("{\"name\":") +
                quoted(std::string(entry.name)) +
                ",\"description\":" + quoted(std::string(entry.description)) + "}";
    }
    return json + "]";
}

std::string jsonList(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) json += (i ? "," : "") + quoted(texts[i]);
    return json + "]";
}

// Bytes that are not a zero-terminated text, kept as kept() keeps a text; keptSize their
// count.
int keptSize = 0;
const unsigned char* keptBytes(std::string bytes) {
    static std::string storage;
    storage = std::move(bytes);
    keptSize = static_cast<int>(storage.size());
    return reinterpret_cast<const unsigned char*>(storage.data());
}

std::string bytesOf(const char* bytes, int length) {
    return std::string(bytes, static_cast<std::size_t>(length));
}

render::SubjectKind subjectOf(int cloth) {
    return cloth ? render::SubjectKind::Cloth : render::SubjectKind::Sphere;
}

}  // namespace

extern "C" {

// 1 when the studio is open, 0 when it failed (studio_error says why).
EMSCRIPTEN_KEEPALIVE int studio_open(int cloth) {
    // The build puts the named looks into the page's file system under /presets.
    base::Result<std::unique_ptr<studio::Studio>> opened =
        studio::Studio::open(subjectOf(cloth), "/presets");
    if (!opened) {
        lastError = opened.error();
        return 0;
    }
    theStudio = std::move(opened.value());
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* studio_error() { return lastError.c_str(); }

EMSCRIPTEN_KEEPALIVE int studio_set_subject(int cloth) {
    return doneOrError(theStudio->setSubject(subjectOf(cloth)));
}

// Makes the model in `length` bytes of a file named `name` (an object file or OBJ text)
// the subject: 1 when it is; 0 when it is refused (studio_error says why, and the subject
// stays as it was).
EMSCRIPTEN_KEEPALIVE int studio_set_model(const char* bytes, int length, const char* name) {
    return doneOrError(
        theStudio->setModel(std::string(bytes, static_cast<std::size_t>(length)), name));
}

// What reading the model left out or replaced, as JSON.
EMSCRIPTEN_KEEPALIVE const char* studio_model_warnings() {
    return kept(jsonList(theStudio->modelWarnings()));
}

// [{"name":…, "module":…, "picked":…}, …]: the surfaces of the object file shown, whether
// each runs the module by the file, and which one the panel edits; [] for other subjects.
EMSCRIPTEN_KEEPALIVE const char* studio_surfaces() {
    std::string json = "[";
    const std::vector<models::Surface>& surfaces = theStudio->modelSurfaces();
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        json += (i ? "," : "") + std::string("{\"name\":") + quoted(surfaces[i].name) +
                ",\"module\":" + (models::moduleEntry(surfaces[i]) ? "true" : "false") +
                ",\"picked\":" + (theStudio->pickedSurface() == i ? "true" : "false") + "}";
    }
    return kept(json + "]");
}

// Picks the surface at `index` (from 0) for the panel and the surface inputs to edit: 1 when
// picked; 0 when not (studio_error says why, and nothing changes).
EMSCRIPTEN_KEEPALIVE int studio_pick_surface(int index) {
    if (index < 0) {
        lastError = "there is no surface " + std::to_string(index);
        return 0;
    }
    return doneOrError(theStudio->pickSurface(static_cast<std::size_t>(index)));
}

// The object file shown with the look in the picked surface, as studio_bytes_size() bytes;
// null when there is none (studio_error says why).
EMSCRIPTEN_KEEPALIVE const unsigned char* studio_object_file() {
    base::Result<std::string> written = theStudio->objectFile();
    if (!written) {
        lastError = written.error();
        return nullptr;
    }
    return keptBytes(std::move(written.value()));
}

EMSCRIPTEN_KEEPALIVE const char* studio_object_file_name() {
    return kept(theStudio->objectFileName());
}

// ---- The options panel ----------------------------------------------------------------

// Opens the panel to show the instance's values, editing nothing.
EMSCRIPTEN_KEEPALIVE int studio_panel_show() { return panelResult(theStudio->panel().show()); }

EMSCRIPTEN_KEEPALIVE int studio_panel_pointer_down(int x, int y) {
    return panelResult(theStudio->panel().pointerDown(x, y));
}

EMSCRIPTEN_KEEPALIVE int studio_panel_pointer_move(int x, int y) {
    return panelResult(theStudio->panel().pointerMove(x, y));
}

EMSCRIPTEN_KEEPALIVE void studio_panel_pointer_up() { theStudio->panel().pointerUp(); }

EMSCRIPTEN_KEEPALIVE int studio_panel_key(const char* name) {
    return panelResult(theStudio->panel().key(name));
}

EMSCRIPTEN_KEEPALIVE int studio_panel_typing() { return theStudio->panel().typing() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int studio_panel_width() { return theStudio->panel().picture().width; }

EMSCRIPTEN_KEEPALIVE int studio_panel_height() { return theStudio->panel().picture().height; }

EMSCRIPTEN_KEEPALIVE const unsigned char* studio_panel_pixels() {
    const render::Image& image = theStudio->panel().picture();
    panelPixels.resize(4 * image.rgb.size() / 3);
    for (std::size_t from = 0, to = 0; from < image.rgb.size(); from += 3, to += 4) {
        panelPixels[to] = image.rgb[from];
        panelPixels[to + 1] = image.rgb[from + 1];
        panelPixels[to + 2] = image.rgb[from + 2];
        panelPixels[to + 3] = 255;
    }
    return panelPixels.data();
}

// Texts the module showed through the host's messages since the last call, as JSON.
EMSCRIPTEN_KEEPALIVE const char* studio_messages() {
    return kept(jsonList(theStudio->takeMessages()));
}

// The values the panel cannot show, as the command line warns about them, as JSON.
EMSCRIPTEN_KEEPALIVE const char* studio_panel_warnings() {
    return kept(jsonList(theStudio->panelRangeWarnings()));
}

// ---- The picture --------------------------------------------------------------------

// Renders for about `milliseconds`: 1 while there is more to render here, 2 when the
// refined pass is awaited from the workers, 0 when the picture is refined.
EMSCRIPTEN_KEEPALIVE int studio_render_step(double milliseconds) {
    if (theStudio->renderStep(milliseconds / 1000.0)) return 1;
    return theStudio->picture().waitingForRefined() ? 2 : 0;
}

// The picture's number: it changes whenever the picture starts again.
EMSCRIPTEN_KEEPALIVE int studio_picture_generation() { return theStudio->picture().generation(); }

// ---- The refined pass in workers ----------------------------------------------------

// 1: the refined pass is left to the page's workers; 0: rendered here.
EMSCRIPTEN_KEEPALIVE void studio_set_refined_elsewhere(int elsewhere) {
    theStudio->setRefinedElsewhere(elsewhere != 0);
}

// Shows the workers' refined picture, `length` RGB bytes: 1 when shown; 0 when no refined
// pass is awaited or the bytes are not its size.
EMSCRIPTEN_KEEPALIVE int studio_show_refined(const unsigned char* rgb, int length) {
    return theStudio->showRefined(std::vector<unsigned char>(rgb, rgb + length)) ? 1 : 0;
}

// A worker's side: a new frame, then the refined pass's rows one at a time, each RGB, as
// many bytes as three times the picture's width; null for a row outside the picture.
EMSCRIPTEN_KEEPALIVE void studio_start_refined_frame() { theStudio->startRefinedFrame(); }

EMSCRIPTEN_KEEPALIVE const unsigned char* studio_render_refined_row(int y) {
    return theStudio->renderRefinedRow(y);
}

EMSCRIPTEN_KEEPALIVE int studio_picture_width() { return theStudio->picture().width(); }

EMSCRIPTEN_KEEPALIVE int studio_picture_height() { return theStudio->picture().height(); }

EMSCRIPTEN_KEEPALIVE const unsigned char* studio_picture_pixels() {
    return theStudio->picture().picture().data();
}

// How many pictures (of any pass) have been shown, to know when to paint again.
EMSCRIPTEN_KEEPALIVE int studio_picture_version() { return theStudio->picture().pictures(); }

// The pass the picture shows: 0 coarse, 1 full size, 2 refined; -1 none yet.
EMSCRIPTEN_KEEPALIVE int studio_picture_pass() { return theStudio->picture().shownPass(); }

EMSCRIPTEN_KEEPALIVE int studio_render_count() { return theStudio->renderCount(); }

// 1 when the picture of the current parameters is refined.
EMSCRIPTEN_KEEPALIVE int studio_render_finished() {
    return theStudio->picture().finished() ? 1 : 0;
}

// ---- The camera ---------------------------------------------------------------------

// Turns the camera about the subject: degrees around, degrees raised from the framing, and
// the zoom; the picture starts again.
EMSCRIPTEN_KEEPALIVE void studio_set_orbit(double orbit, double elevation, double zoom) {
    theStudio->setOrbit({orbit, elevation, zoom});
}

// {"orbit":…, "elevation":…, "zoom":…}: the camera's turn as held within its limits.
EMSCRIPTEN_KEEPALIVE const char* studio_orbit() {
    const render::CameraOrbit orbit = theStudio->orbit();
    return kept("{\"orbit\":" + number(orbit.orbitDegrees) + ",\"elevation\":" +
                number(orbit.elevationDegrees) + ",\"zoom\":" + number(orbit.zoom) + "}");
}

// ---- Parameters and the stored block -------------------------------------------------

// {"density":…, "transparency":…, "specularColor":[r,g,b], "dontOverlapShadows":…,
// "densityByLuminosity":…}, the switches as booleans; null when the save failed.
EMSCRIPTEN_KEEPALIVE const char* studio_parameters() {
    const base::Result<looks::ParameterBlock> block = theStudio->parameters();
    if (!block) {
        lastError = block.error();
        return kept("null");
    }
    const looks::ParameterBlock& p = block.value();
    return kept(
        "{\"density\":" + number(p.density) + ",\"transparency\":" + number(p.transparency) +
        ",\"specularColor\":[" + number(p.specularColor[0]) + "," + number(p.specularColor[1]) +
        "," + number(p.specularColor[2]) +
        "],\"dontOverlapShadows\":" + (p.dontOverlapShadows != 0.0 ? "true" : "false") +
        ",\"densityByLuminosity\":" + (p.densityByLuminosity != 0.0 ? "true" : "false") + "}");
}

EMSCRIPTEN_KEEPALIVE const char* studio_stored_text() { return kept(theStudio->storedText()); }

// Entries that give bytes give their address, valid until the next such entry;
// studio_bytes_size() their count.
EMSCRIPTEN_KEEPALIVE int studio_bytes_size() { return keptSize; }

EMSCRIPTEN_KEEPALIVE const unsigned char* studio_stored_binary() {
    return keptBytes(theStudio->storedBinary());
}

// The stored data the parameters were last loaded from, for a worker's instance to load:
// its bytes, and studio_parameter_source_mode() the form (0 binary, 1 text).
EMSCRIPTEN_KEEPALIVE const unsigned char* studio_parameter_source() {
    return keptBytes(theStudio->parameterSource().bytes);
}

EMSCRIPTEN_KEEPALIVE int studio_parameter_source_mode() {
    return theStudio->parameterSource().mode == looks::StorageMode::Binary ? 0 : 1;
}

// Once, after the first block loaded alone: where the surface inputs come from; "" after.
EMSCRIPTEN_KEEPALIVE const char* studio_block_note() { return kept(theStudio->takeBlockNote()); }

// Loads `length` bytes of a stored block: mode 0 binary, 1 text, 2 either by content.
// 1 when loaded; 0 when refused (studio_error says why, the parameters are unchanged).
EMSCRIPTEN_KEEPALIVE int studio_load(const char* bytes, int length, int mode) {
    const looks::StorageMode storage = mode == 0   ? looks::StorageMode::Binary
                                       : mode == 1 ? looks::StorageMode::Text
                                                   : looks::StorageMode::Auto;
    return doneOrError(theStudio->loadStored(bytesOf(bytes, length), storage));
}

// ---- The surface inputs ---------------------------------------------------------------

// {"color":"R,G,B", "diffuse":…, "specular":…, "luminous":…, "roughness":…}: each input as
// text that reads back as its value.
EMSCRIPTEN_KEEPALIVE const char* studio_surface() {
    std::string json = "{";
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        json += (i ? "," : "") + quoted(std::string(render::kSurfaceInputNames[i])) + ":" +
                quoted(looks::surfaceValueText(theStudio->surface(),
                                               static_cast<render::SurfaceInput>(i)));
    }
    return kept(json + "}");
}

// Sets one input from text, as the command line takes it: 1 when set; 0 when refused
// (studio_error says why, and nothing changes).
EMSCRIPTEN_KEEPALIVE int studio_set_surface_input(const char* name, const char* text) {
    return doneOrError(theStudio->setSurfaceInput(name, text));
}

EMSCRIPTEN_KEEPALIVE const char* studio_surface_warnings() {
    return kept(jsonList(theStudio->surfaceWarnings()));
}

// Why the picture may not show what the parameters and inputs lead one to expect, as JSON.
EMSCRIPTEN_KEEPALIVE const char* studio_notes() { return kept(jsonList(theStudio->notes())); }

// ---- The look as one file -------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE const unsigned char* studio_look_zip() {
    return keptBytes(theStudio->lookZip());
}

EMSCRIPTEN_KEEPALIVE const char* studio_look_zip_name() { return kept(theStudio->lookZipName()); }

// Takes the look in `length` bytes of a file named `name`: 1 when taken; 0 when refused
// (studio_error says why, and nothing changes).
EMSCRIPTEN_KEEPALIVE int studio_load_look(const char* bytes, int length, const char* name) {
    return doneOrError(theStudio->loadLook(bytesOf(bytes, length), name));
}

// ---- Named looks --------------------------------------------------------------------

// [{"name":…, "description":…}, …] in name order.
EMSCRIPTEN_KEEPALIVE const char* studio_presets() { return kept(namedList(theStudio->presets())); }

// The look the instance's parameters are, or "" when they are no look's.
EMSCRIPTEN_KEEPALIVE const char* studio_look() { return kept(theStudio->lookName()); }

EMSCRIPTEN_KEEPALIVE int studio_apply_preset(const char* name) {
    return doneOrError(theStudio->applyPreset(name));
}

// ---- The map of luminosity ---------------------------------------------------------

// [{"name":…, "description":…}, …]: the built-in patterns a map may be.
EMSCRIPTEN_KEEPALIVE const char* studio_patterns() { return kept(namedList(render::kPatterns)); }

// The pattern that maps the surface's luminosity, or "" for none.
EMSCRIPTEN_KEEPALIVE const char* studio_luminous_map() { return kept(theStudio->luminousMap()); }

// Maps the surface's luminosity with the pattern (none for ""); 1 when done, 0 when the
// name is no pattern's (studio_error says so).
EMSCRIPTEN_KEEPALIVE int studio_set_luminous_map(const char* pattern) {
    return doneOrError(theStudio->setLuminousMap(pattern));
}

}  // extern "C"
