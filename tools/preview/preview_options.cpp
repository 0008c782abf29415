#include "tools/preview/preview_options.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <thread>

#include "looks/stored_number.h"
#include "looks/value_checks.h"

namespace preview {
namespace {

constexpr int kMaxImageSide = 8192;
constexpr int kMaxSamplesPerSide = 8;
constexpr int kMaxThreads = 256;
constexpr long kMaxWorkerTimeout = 1000000;  // seconds, eleven days and a half

std::string show(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string show(const Triple& t) { return show(t[0]) + "," + show(t[1]) + "," + show(t[2]); }

// A finite number in `range`.
CLI::Validator number(const NumberRange& range) {
    return CLI::Validator(
        [range](std::string& text) -> std::string {
            const standin::Result<double> checked = checkedNumber(text, range);
            return checked ? std::string() : checked.error();
        },
        "NUMBER");
}

// Three finite numbers separated by commas, as `kind` allows them.
CLI::Validator triple(TripleKind kind) {
    return CLI::Validator(
        [kind](std::string& text) -> std::string {
            const standin::Result<Triple> checked = checkedTriple(text, kind);
            return checked ? std::string() : checked.error();
        },
        kind == TripleKind::Colour ? "R,G,B" : "X,Y,Z");
}

// A time in seconds, more than 0 and at most kMaxWorkerTimeout.
CLI::Validator seconds() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::optional<double> value = parseStoredNumber(text);
            if (!value) return "\"" + text + "\" is not a number";
            if (!(*value > 0.0 && *value <= kMaxWorkerTimeout)) {
                return text + " is out of range: it must be more than 0 and at most " +
                       std::to_string(kMaxWorkerTimeout);
            }
            return {};
        },
        "SECONDS");
}

double toNumber(const std::string& text) { return parseStoredNumber(text).value_or(0.0); }
Triple toTriple(const std::string& text) { return parseNumberTriple(text).value_or(Triple{}); }

const std::map<std::string, bool> kSwitchWords{{"on", true}, {"off", false}};

void defineParameters(CLI::App& app, ParameterOverrides& p) {
    const char* group = "Shader parameters (default: the module's defaults, or the --load file)";
    app.add_option_function<std::string>(
           "--density", [&p](const std::string& s) { p.density = toNumber(s); },
           "Weight of the sheen: the grazing light and the sheen lobe. A fraction: 1 is the "
           "panel's 100 % (module default 1)")
        ->check(number(kLevelRange))
        ->group(group);
    app.add_option_function<std::string>(
           "--transparency", [&p](const std::string& s) { p.transparency = toNumber(s); },
           "Weight of the plain diffuse body where the surface faces the viewer. A fraction: "
           "0.33 is the panel's 33 % (default 0.33)")
        ->check(number(kLevelRange))
        ->group(group);
    app.add_option_function<std::string>(
           "--specular-color", [&p](const std::string& s) { p.specularColor = toTriple(s); },
           "Tint of the sheen lobe, three fractions: 1 is the panel's 255 (default 1,1,1)")
        ->check(triple(TripleKind::Colour))
        ->group(group);
    app.add_option_function<std::string>(
           "--dont-overlap-shadows",
           [&p](const std::string& s) { p.dontOverlapShadows = kSwitchWords.at(s); },
           "on|off: fade each light out before the shadow line so shading and ray-traced "
           "shadows do not overlap (default on)")
        ->check(CLI::IsMember({"on", "off"}))
        ->type_name("on|off")
        ->group(group);
    app.add_option_function<std::string>(
           "--density-by-luminosity",
           [&p](const std::string& s) { p.densityByLuminosity = kSwitchWords.at(s); },
           "on|off: the surface's luminosity scales the density instead of adding a glow "
           "(default off)")
        ->check(CLI::IsMember({"on", "off"}))
        ->type_name("on|off")
        ->group(group);
}

void defineSubject(CLI::App& app, PreviewOptions& o) {
    SceneSettings& s = o.scene;
    const char* group = "Subject (what the shader is shown on)";
    const std::map<std::string, SubjectKind> kinds{{"cloth", SubjectKind::Cloth},
                                                   {"sphere", SubjectKind::Sphere}};
    CLI::Option* scene =
        app.add_option("--scene", s.subject,
                       "cloth: a cloth draped over a ball (about 100,000 triangles); sphere: a "
                       "sphere")
            ->transform(CLI::CheckedTransformer(kinds, CLI::ignore_case))
            ->default_str("cloth")
            ->group(group);
    app.add_option_function<std::string>(
           "--mesh",
           [&o](const std::string& path) {
               o.modelPath = path;
               o.scene.subject = SubjectKind::Mesh;
           },
           "A model from an OBJ file or an object file (LWO2, LWOB), told apart by their "
           "content (- reads standard input), scaled to stand on the floor in the middle of "
           "the picture")
        ->type_name("FILE")
        ->excludes(scene)
        ->group(group);
    app.add_option("--crease", s.creaseAngle,
                   "Degrees: for a model without normals, edges whose faces meet at a larger "
                   "angle stay hard")
        ->check(number(kCreaseRange))
        ->capture_default_str()
        ->group(group);
}

void defineSurface(CLI::App& app, SurfaceOverrides& s) {
    const char* group =
        "Surface inputs (what the renderer hands the shader for the subject; default: the "
        "scene's, or the --preset look's)";
    const SurfaceInputs defaults;
    app.add_option_function<std::string>(
           "--color", [&s](const std::string& t) { s.color = toTriple(t); },
           "Surface colour, three fractions 0 to 1")
        ->check(triple(TripleKind::Colour))
        ->default_str(show(defaults.color))
        ->group(group);
    app.add_option_function<std::string>(
           "--diffuse", [&s](const std::string& t) { s.diffuse = toNumber(t); },
           "Diffuse level: weight of the body (grazing and diffuse) light")
        ->check(number(kLevelRange))
        ->default_str(show(defaults.diffuse))
        ->group(group);
    app.add_option_function<std::string>(
           "--specular", [&s](const std::string& t) { s.specular = toNumber(t); },
           "Specular level: weight of the sheen lobe")
        ->check(number(kLevelRange))
        ->default_str(show(defaults.specular))
        ->group(group);
    app.add_option_function<std::string>(
           "--luminous", [&s](const std::string& t) { s.luminous = toNumber(t); },
           "Luminosity: a glow, or the density's multiplier with --density-by-luminosity on")
        ->check(number(kLevelRange))
        ->default_str(show(defaults.luminous))
        ->group(group);
    app.add_option_function<std::string>(
           "--roughness", [&s](const std::string& t) { s.roughness = toNumber(t); },
           "Roughness: the sheen lobe's exponent is 1/(64 roughness); smaller is tighter")
        ->check(number(kRoughnessRange))
        ->default_str(show(defaults.roughness))
        ->group(group);
}

void defineLights(CLI::App& app, SceneSettings& s) {
    const char* group = "Lights";
    app.add_option_function<std::string>(
           "--key-position", [&s](const std::string& t) { s.keyPosition = toTriple(t); },
           "Position of the key point light (the subject stands on the floor y=0 around the "
           "origin, about 2.6 units across; the camera looks along +z)")
        ->check(triple(TripleKind::Position))
        ->default_str(show(s.keyPosition))
        ->group(group);
    app.add_option_function<std::string>(
           "--key-color", [&s](const std::string& t) { s.keyColor = toTriple(t); },
           "Colour of the key light")
        ->check(triple(TripleKind::Colour))
        ->default_str(show(s.keyColor))
        ->group(group);
    app.add_option_function<std::string>(
           "--key-intensity", [&s](const std::string& t) { s.keyIntensity = toNumber(t); },
           "Intensity of the key light (0 turns it off)")
        ->check(number(kLevelRange))
        ->default_str(show(s.keyIntensity))
        ->group(group);
    app.add_option_function<std::string>(
           "--rim-direction", [&s](const std::string& t) { s.rimDirection = toTriple(t); },
           "Direction the distant rim light travels in")
        ->check(triple(TripleKind::Direction))
        ->default_str(show(s.rimDirection))
        ->group(group);
    app.add_option_function<std::string>(
           "--rim-color", [&s](const std::string& t) { s.rimColor = toTriple(t); },
           "Colour of the rim light")
        ->check(triple(TripleKind::Colour))
        ->default_str(show(s.rimColor))
        ->group(group);
    app.add_option_function<std::string>(
           "--rim-intensity", [&s](const std::string& t) { s.rimIntensity = toNumber(t); },
           "Intensity of the rim light (0 turns it off)")
        ->check(number(kLevelRange))
        ->default_str(show(s.rimIntensity))
        ->group(group);
    app.add_option_function<std::string>(
           "--ambient", [&s](const std::string& t) { s.ambient = toTriple(t); },
           "Ambient light colour")
        ->check(triple(TripleKind::Colour))
        ->default_str(show(s.ambient))
        ->group(group);
    app.add_flag_function(
           "--no-shadows", [&s](std::int64_t) { s.shadows = false; },
           "Lights pass through objects: no ray-traced shadows")
        ->group(group);
}

void defineImage(CLI::App& app, PreviewOptions& o) {
    const char* group = "Picture";
    app.add_option_function<std::string>(
           "-o,--output",
           [&o](const std::string& path) {
               o.output = path;
               o.outputGiven = true;
           },
           "PNG file for the preview render (- writes standard output)")
        ->default_str(o.output)
        ->type_name("FILE")
        ->group(group);
    app.add_option("--width", o.render.width, "Width of the preview in pixels")
        ->check(CLI::Range(1, kMaxImageSide))
        ->capture_default_str()
        ->group(group);
    app.add_option("--height", o.render.height, "Height of the preview in pixels")
        ->check(CLI::Range(1, kMaxImageSide))
        ->capture_default_str()
        ->group(group);
    app.add_option("--samples", o.render.samplesPerSide,
                   "Anti-aliasing: each pixel averages N x N samples")
        ->check(CLI::Range(1, kMaxSamplesPerSide))
        ->capture_default_str()
        ->group(group);
    auto given = [&o](int count) {
        o.render.threads = count;
        o.workersGiven = true;
    };
    CLI::Option* workers =
        app.add_option_function<int>(
               "--workers", given,
               "Processes that render the preview, each a band of rows; the sheets are "
               "rendered in as many threads (default: one per core, or one for a model "
               "file of more than 5 bytes per sample)")
            ->check(CLI::Range(1, kMaxThreads))
            ->group(group);
    app.add_option_function<int>("--threads", given, "The same as --workers")
        ->check(CLI::Range(1, kMaxThreads))
        ->excludes(workers)
        ->group(group);
    app.add_option_function<std::string>(
           "--worker-timeout",
           [&o](const std::string& s) {
               o.workerTimeout = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(toNumber(s)));
           },
           "The render fails when a worker sends no row for ten times the slowest step of the "
           "render so far, and never sooner than this; raise it for runs under a sanitizer or "
           "valgrind (default 60)")
        ->check(seconds())
        ->group(group);
    app.add_flag("--verbose", o.verbose,
                 "Print the time of each stage on stderr: making or reading the subject, "
                 "building the ray-tracing scene, loading the module, rendering, writing")
        ->group(group);
}

void defineFiles(CLI::App& app, PreviewOptions& o) {
    const char* group = "Files";
    app.add_option("--module", o.modulePath,
                   "Module file to load (default: pelorix3.so beside this program)")
        ->type_name("FILE")
        ->group(group);
    CLI::Option* preset =
        app.add_option("--preset", o.presetName,
                       "A named look from the presets folder: its stored parameters and "
                       "surface inputs, before the options above apply (see --list-presets)")
            ->type_name("NAME")
            ->group(group);
    app.add_flag("--list-presets", o.listPresets, "List the named looks and what they are")
        ->group(group);
    app.add_option("--load", o.loadPath,
                   "Read the seven stored parameter values from FILE (- reads standard input) "
                   "before the options above apply")
        ->type_name("FILE")
        ->excludes(preset)
        ->group(group);
    app.add_option("--save", o.savePath,
                   "Write the instance's stored parameter values to FILE (- writes standard "
                   "output), as a scene stores them")
        ->type_name("FILE")
        ->group(group);
    const std::map<std::string, StorageMode> modes{
        {"auto", StorageMode::Auto}, {"text", StorageMode::Text}, {"binary", StorageMode::Binary}};
    // --mode comes first: CLI11 applies options in the order they are declared, so the
    // two specific options below win over it.
    app.add_option_function<StorageMode>(
           "--mode",
           [&o](const StorageMode& mode) {
               o.loadMode = mode;
               o.saveMode = mode;
           },
           "Form of both parameter files: text (one value per line) or binary (seven "
           "big-endian 4-byte floats); auto reads either and saves text")
        ->transform(CLI::CheckedTransformer(modes, CLI::ignore_case))
        ->default_str("auto")
        ->group(group);
    app.add_option("--load-mode", o.loadMode, "Form of the --load file (default: --mode)")
        ->transform(CLI::CheckedTransformer(modes, CLI::ignore_case))
        ->group(group);
    app.add_option("--save-mode", o.saveMode,
                   "Form of the --save file (default: --mode), e.g. --load-mode text "
                   "--save-mode binary converts")
        ->transform(CLI::CheckedTransformer(modes, CLI::ignore_case))
        ->group(group);
    app.add_option("--panel", o.panelPath, "Paint the options panel into a PNG file")
        ->type_name("FILE")
        ->group(group);
    app.add_option("--sheet", o.sheetPath, "Contact sheet PNG: density across, roughness down")
        ->type_name("FILE")
        ->group(group);
    app.add_option("--switch-sheet", o.switchSheetPath,
                   "Contact sheet PNG: the two switches off and on")
        ->type_name("FILE")
        ->group(group);
}

}  // namespace

void defineOptions(CLI::App& app, PreviewOptions& options) {
    options.render.threads =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
    app.description(
        "Renders a preview of the pelorix3 sheen shader: the module file is loaded and driven "
        "through the stand-in host exactly as the renderer drives it. With no options it "
        "renders a cloth draped over a ball, on a neutral floor, to preview.png.");
    app.footer(
        "Pictures are PNG files: FILE.png, a name without an extension, a device or pipe, or - "
        "for standard output. Each file is written whole or not at all. Messages go to "
        "standard error.\n\nExit status: 0 success; 1 a file or the module could not be "
        "read or written; 2 a bad command line, which includes two names for one file, "
        "standard input or output named twice, and a picture name in another format.");
    defineParameters(app, options.parameters);
    defineSubject(app, options);
    defineSurface(app, options.surface);
    defineLights(app, options.scene);
    defineImage(app, options);
    defineFiles(app, options);
}

}  // namespace preview
