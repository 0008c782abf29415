#include "tools/preview/preview_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

#include "host/module_path.h"
#include "looks/stored_number.h"
#include "looks/value_checks.h"
#include "tools/preview/option_suggestion.h"

namespace preview {
namespace {

constexpr int kMaxImageSide = 8192;
constexpr int kMaxSamplesPerSide = 8;
constexpr int kMaxThreads = 256;
constexpr long kMaxWorkerTimeout = 1000000;  // seconds, eleven days and a half
constexpr int kMaxTurntableViews = 360;
constexpr std::size_t kMaxComparedLooks = 12;
constexpr looks::NumberRange kOrbitRange{-360.0, true, 360.0};
constexpr looks::NumberRange kElevationRange{-90.0, true, 90.0};
constexpr looks::NumberRange kZoomRange{render::kLeastZoom, true, render::kMostZoom};

std::string show(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string show(const Triple& t) { return show(t[0]) + "," + show(t[1]) + "," + show(t[2]); }

// The validators below describe nothing in the help: each option's type name (NUMBER,
// R,G,B, on|off, ...) says what it takes, without the parser's own notation.

// An option whose check reads its text with `parse`: the check refuses what `parse`
// refuses, with its reason, and the value it read goes to `apply`, so that the text is
// read once. The check runs just before the option's callback.
template <typename Value>
CLI::Option* addParsedOption(CLI::App& app, const std::string& name, const std::string& help,
                             std::function<base::Result<Value>(const std::string&)> parse,
                             std::function<void(const Value&)> apply) {
    const auto parsed = std::make_shared<std::optional<Value>>();
    return app
        .add_option_function<std::string>(
            name,
            [parsed, apply](const std::string&) {
                if (*parsed) apply(**parsed);
            },
            help)
        ->check(CLI::Validator(
            [parsed, parse](std::string& text) -> std::string {
                base::Result<Value> value = parse(text);
                if (!value) return value.error();
                *parsed = std::move(value.value());
                return {};
            },
            ""));
}

// An option that sets `*target` to a finite number in `range`; `shown` is the default
// the help shows ("" for none), `type` what the help calls the number.
template <typename Target>
struct NumberOption {
    using Value = double;
    const char* name;
    const char* help;
    looks::NumberRange range;
    Target* target;
    std::string shown = {};
    const char* type = "NUMBER";

    base::Result<double> parse(const std::string& text) const {
        return looks::checkedNumber(text, range);
    }
    const char* typeName() const { return type; }
};

// An option that sets `*target` to three finite numbers separated by commas, as `kind`
// allows them.
template <typename Target>
struct TripleOption {
    using Value = Triple;
    const char* name;
    const char* help;
    looks::TripleKind kind;
    Target* target;
    std::string shown = {};

    base::Result<Triple> parse(const std::string& text) const {
        return looks::checkedTriple(text, kind);
    }
    const char* typeName() const { return looks::tripleName(kind); }
};

template <typename ValueOption>
CLI::Option* addValueOption(CLI::App& app, const ValueOption& option) {
    using Value = typename ValueOption::Value;
    auto* target = option.target;
    return addParsedOption<Value>(
               app, option.name, option.help,
               [option](const std::string& text) { return option.parse(text); },
               [target](const Value& value) { *target = value; })
        ->type_name(option.typeName())
        ->default_str(option.shown);
}

// Options of numbers and triples, declared in the table's order (the help's), in `group`.
template <typename Number, typename Colour>
using ValueTable = std::vector<std::variant<NumberOption<Number>, TripleOption<Colour>>>;

template <typename Number, typename Colour>
void addValueOptions(CLI::App& app, const char* group, const ValueTable<Number, Colour>& table) {
    for (const auto& entry : table) {
        std::visit([&app, group](const auto& option) { addValueOption(app, option)->group(group); },
                   entry);
    }
}

// The whole number `text` writes in decimal digits, with an optional sign; one too large
// for a long long is held at its largest, for the range to refuse. None for anything else:
// 0x20, 1e3, 2.0.
std::optional<long long> decimalWhole(const std::string& text) {
    const bool hasSign = !text.empty() && (text[0] == '+' || text[0] == '-');
    const std::string_view digits = std::string_view(text).substr(hasSign ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long long value = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc{})
        value = std::numeric_limits<long long>::max();
    return text[0] == '-' ? -value : value;
}

// A whole number in decimal digits that `allowed` takes, described by `range` ("1 to 8").
// The parser alone would read 010 as eight and 0x20 as 32: the text is handed on as the
// plain decimal number it writes, 010 as 10.
CLI::Validator wholeNumber(std::function<bool(long long)> allowed, const std::string& range) {
    return CLI::Validator(
        [allowed, range](std::string& text) -> std::string {
            const std::optional<long long> value = decimalWhole(text);
            if (!value) return "\"" + text + "\" is not a whole number in decimal digits";
            if (!allowed(*value)) return text + " is out of range: it must be " + range;
            text = std::to_string(*value);
            return {};
        },
        "");
}

// A whole number from 1 to `most`.
CLI::Validator count(int most) {
    return wholeNumber([most](long long n) { return n >= 1 && n <= most; },
                       "1 to " + std::to_string(most));
}

// A file's, a folder's or a look's name, which an empty text is not: refused rather than
// taken as no name at all.
CLI::Validator nameOfA(const std::string& what) {
    return CLI::Validator(
        [what](std::string& text) -> std::string {
            return text.empty() ? "an empty name names no " + what : std::string();
        },
        "");
}

// A time in seconds, more than 0 and at most kMaxWorkerTimeout.
base::Result<double> seconds(const std::string& text) {
    using Seconds = base::Result<double>;
    const std::optional<double> value = looks::parseStoredNumber(text);
    if (!value) return Seconds::failure("\"" + text + "\" is not a number");
    if (!(*value > 0.0 && *value <= kMaxWorkerTimeout)) {
        return Seconds::failure(text + " is out of range: it must be more than 0 and at most " +
                                std::to_string(kMaxWorkerTimeout));
    }
    return Seconds::success(*value);
}

// The words an option takes, in the order the help lists them, and what each stands for.
template <typename Value>
using Words = std::vector<std::pair<std::string, Value>>;

// An option that takes one of `words`, in any case, and hands its value to `apply`. Only
// the words are taken: no number stands for one. The check writes the word as listed.
template <typename Value>
CLI::Option* addWordOption(CLI::App& app, const std::string& name, const Words<Value>& words,
                           std::function<void(const Value&)> apply, const std::string& help) {
    std::vector<std::string> keys;
    std::string typeName;
    for (const auto& [word, value] : words) {
        keys.push_back(word);
        typeName += (typeName.empty() ? "" : "|") + word;
    }
    return app
        .add_option_function<std::string>(
            name,
            [words, apply](const std::string& given) {
                for (const auto& [word, value] : words) {
                    if (word == given) apply(value);
                }
            },
            help)
        ->transform(CLI::IsMember(keys, CLI::ignore_case).description(""))
        ->type_name(typeName);
}

std::vector<std::string> commaSeparated(const std::string& text) {
    std::vector<std::string> names(1);
    for (const char c : text) {
        if (c == ',') {
            names.emplace_back();
        } else {
            names.back() += c;
        }
    }
    return names;
}

// Two to kMaxComparedLooks names separated by commas, none empty.
base::Result<std::vector<std::string>> lookList(const std::string& text) {
    using Names = base::Result<std::vector<std::string>>;
    std::vector<std::string> names = commaSeparated(text);
    if (names.size() < 2 || names.size() > kMaxComparedLooks) {
        return Names::failure("give 2 to " + std::to_string(kMaxComparedLooks) +
                              " looks or files, separated by commas");
    }
    for (const std::string& name : names) {
        if (name.empty()) return Names::failure("\"" + text + "\" has an empty name");
    }
    return Names::success(std::move(names));
}

const Words<bool> kSwitchWords{{"on", true}, {"off", false}};

void defineParameters(CLI::App& app, ParameterOverrides& p) {
    const char* group = "Shader parameters (default: the module's defaults, or the --load file)";
    using Number = NumberOption<std::optional<double>>;
    using Colour = TripleOption<std::optional<Triple>>;
    addValueOptions<std::optional<double>, std::optional<Triple>>(
        app, group,
        {Number{"--density",
                "Weight of the sheen: the grazing light and the sheen lobe. A fraction: 1 is the "
                "panel's 100 % (module default 1)",
                looks::kLevelRange, &p.density},
         Number{"--transparency",
                "Weight of the plain diffuse body where the surface faces the viewer. A "
                "fraction: 0.33 is the panel's 33 % (default 0.33)",
                looks::kLevelRange, &p.transparency},
         Colour{"--specular-color",
                "Tint of the sheen lobe, three fractions: 1 is the panel's 255 (default 1,1,1)",
                looks::TripleKind::Colour, &p.specularColor}});
    addWordOption<bool>(
        app, "--dont-overlap-shadows", kSwitchWords,
        [&p](const bool& on) { p.dontOverlapShadows = on; },
        "Fade each light out before the shadow line so shading and ray-traced shadows do not "
        "overlap (default on)")
        ->group(group);
    addWordOption<bool>(
        app, "--density-by-luminosity", kSwitchWords,
        [&p](const bool& on) { p.densityByLuminosity = on; },
        "The surface's luminosity scales the density instead of adding a glow (default off)")
        ->group(group);
}

void defineSubject(CLI::App& app, PreviewOptions& o) {
    SceneSettings& s = o.scene;
    const char* group = "Subject (what the shader is shown on)";
    const Words<SubjectKind> kinds{{"cloth", SubjectKind::Cloth}, {"sphere", SubjectKind::Sphere}};
    CLI::Option* scene =
        addWordOption<SubjectKind>(
            app, "--scene", kinds, [&s](const SubjectKind& kind) { s.subject = kind; },
            "cloth: a cloth draped over a ball (about 100,000 triangles); sphere: a sphere")
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
        ->check(nameOfA("file"))
        ->excludes(scene)
        ->group(group);
    addParsedOption<double>(
        app, "--crease",
        "0 to 180 degrees: where a --mesh model gives no normals, edges whose faces meet at "
        "a larger angle stay hard (default: an object file's surfaces each their own "
        "smoothing angle, an OBJ model 60)",
        [](const std::string& text) { return looks::checkedNumber(text, looks::kCreaseRange); },
        [&o](const double& degrees) {
            o.scene.creaseAngle = degrees;
            o.scene.creaseFromSurfaces = false;
            o.creaseGiven = true;
        })
        ->type_name("DEGREES")
        ->default_str(show(s.creaseAngle))
        ->group(group);
}

const char* const kSurfaceGroup =
    "Surface inputs (what the renderer hands the shader for the subject, or for the --surface "
    "surfaces of an object file; default: the scene's, the surface's own, or the --preset "
    "look's)";

void defineSurface(CLI::App& app, SurfaceOverrides& s) {
    const SurfaceInputs defaults;
    using Number = NumberOption<std::optional<double>>;
    using Colour = TripleOption<std::optional<Triple>>;
    addValueOptions<std::optional<double>, std::optional<Triple>>(
        app, kSurfaceGroup,
        {Colour{"--color", "Surface colour, three fractions 0 to 1", looks::TripleKind::Colour,
                &s.color, show(defaults.color)},
         Number{"--diffuse", "Diffuse level: weight of the body (grazing and diffuse) light",
                looks::kLevelRange, &s.diffuse, show(defaults.diffuse)},
         Number{"--specular", "Specular level: weight of the sheen lobe", looks::kLevelRange,
                &s.specular, show(defaults.specular)},
         Number{"--luminous",
                "Luminosity: a glow, or the density's multiplier with --density-by-luminosity on",
                looks::kLevelRange, &s.luminous, show(defaults.luminous)},
         Number{"--roughness",
                "Roughness: the sheen lobe's exponent is 1/(64 roughness); smaller is tighter",
                looks::kRoughnessRange, &s.roughness, show(defaults.roughness)}});
}

void defineLights(CLI::App& app, SceneSettings& s) {
    const char* group = "Lights";
    using Number = NumberOption<double>;
    using Colour = TripleOption<Triple>;
    addValueOptions<double, Triple>(
        app, group,
        {Colour{"--key-position",
                "Position of the key point light (the subject stands on the floor y=0 around "
                "the origin, about 2.6 units across; the camera looks along +z)",
                looks::TripleKind::Position, &s.keyPosition, show(s.keyPosition)},
         Colour{"--key-color", "Colour of the key light", looks::TripleKind::Colour, &s.keyColor,
                show(s.keyColor)},
         Number{"--key-intensity", "Intensity of the key light (0 turns it off)",
                looks::kLevelRange, &s.keyIntensity, show(s.keyIntensity)},
         Colour{"--rim-direction", "Direction the distant rim light travels in",
                looks::TripleKind::Direction, &s.rimDirection, show(s.rimDirection)},
         Colour{"--rim-color", "Colour of the rim light", looks::TripleKind::Colour, &s.rimColor,
                show(s.rimColor)},
         Number{"--rim-intensity", "Intensity of the rim light (0 turns it off)",
                looks::kLevelRange, &s.rimIntensity, show(s.rimIntensity)},
         Colour{"--ambient", "Ambient light colour", looks::TripleKind::Colour, &s.ambient,
                show(s.ambient)}});
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
           "Picture file for the preview render: PNG, or for a name ending in .exr OpenEXR "
           "of the scene values, half float (- writes PNG to standard output); with "
           "--turntable the views' name pattern (default turntable-%03d.png), with --compare "
           "the comparison's file (default compare.png)")
        ->default_str(o.output)
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
    app.add_option("--bit-depth", o.bitDepth,
                   "Bits a component of the preview's PNG, 8 or 16 (made from the scene values "
                   "before they are rounded to 8 bits)")
        ->transform(wholeNumber([](long long bits) { return bits == 8 || bits == 16; }, "8 or 16"))
        ->type_name("BITS")
        ->capture_default_str()
        ->group(group);
    const auto size = [&o](int& side) {
        return [&o, &side](int pixels) {
            side = pixels;
            o.sizeGiven = true;
        };
    };
    app.add_option_function<int>("--width", size(o.render.width),
                                 "Width of the preview in pixels, 1 to 8192 (the contact sheets' "
                                 "cells have a size of their own)")
        ->transform(count(kMaxImageSide))
        ->type_name("PIXELS")
        ->default_str(std::to_string(o.render.width))
        ->group(group);
    app.add_option_function<int>("--height", size(o.render.height),
                                 "Height of the preview in pixels, 1 to 8192")
        ->transform(count(kMaxImageSide))
        ->type_name("PIXELS")
        ->default_str(std::to_string(o.render.height))
        ->group(group);
    app.add_option("--samples", o.render.samplesPerSide,
                   "Anti-aliasing: each pixel averages N x N samples, N from 1 to 8")
        ->transform(count(kMaxSamplesPerSide))
        ->type_name("N")
        ->capture_default_str()
        ->group(group);
    auto given = [&o](int count) {
        o.render.threads = count;
        o.workersGiven = true;
    };
    CLI::Option* workers =
        app.add_option_function<int>(
               "--workers", given,
               "Processes that render the preview, each a band of rows; the sheets, a "
               "turntable and a comparison are rendered in as many threads (default: one per "
               "core, or one for a model file of more than 5 bytes per sample); at most 256")
            ->transform(count(kMaxThreads))
            ->type_name("N")
            ->group(group);
    app.add_option_function<int>("--threads", given, "The same as --workers")
        ->transform(count(kMaxThreads))
        ->type_name("N")
        ->excludes(workers)
        ->group(group);
    addParsedOption<double>(
        app, "--worker-timeout",
        "The render fails when a worker sends no row for ten times the slowest step of the "
        "render so far, and never sooner than this; raise it for runs under a sanitizer or "
        "valgrind (default 60)",
        seconds,
        [&o](const double& timeout) {
            o.workerTimeout = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::duration<double>(timeout));
        })
        ->type_name("SECONDS")
        ->group(group);
    app.add_flag("--verbose", o.verbose,
                 "Print the time of each stage on stderr: making or reading the subject, "
                 "building the ray-tracing scene, loading the module, rendering, writing")
        ->group(group);
}

void defineCamera(CLI::App& app, PreviewOptions& o) {
    render::CameraOrbit& orbit = o.scene.orbit;
    const char* group = "Camera (turned about the subject; the floor and the lights stay)";
    using Degrees = NumberOption<double>;
    addValueOptions<double, Triple>(
        app, group,
        {Degrees{"--orbit",
                 "Degrees around the vertical axis through the subject, -360 to 360: positive "
                 "moves the camera to its right, so that the subject seems to turn to the left",
                 kOrbitRange, &orbit.orbitDegrees, "0", "DEGREES"},
         Degrees{"--elevation",
                 "Degrees the camera is raised above its framing, -90 to 90 (negative lowers "
                 "it); it stays within 85 degrees of the horizontal and above the floor",
                 kElevationRange, &orbit.elevationDegrees, "0", "DEGREES"},
         Degrees{"--zoom",
                 "The camera's distance to the subject is divided by it: 2 is twice as close, "
                 "the subject twice as large; 0.25 to 3",
                 kZoomRange, &orbit.zoom, "1", "FACTOR"}});
    CLI::Option* turntable =
        app.add_option(
               "--turntable", o.turntableViews,
               "Render N views (1 to 360) evenly around the subject, from --orbit on: -o gives "
               "their name pattern with one %d for the view's number from 0 (e.g. "
               "turn-%03d.png), and one strip of all of them, named with \"strip\" "
               "for the number (turn-strip.png)")
            ->transform(count(kMaxTurntableViews))
            ->type_name("N")
            ->group(group);
    addParsedOption<std::vector<std::string>>(
        app, "--compare",
        "Render the subject once per named look or stored parameter file (read as "
        "--load-mode says), 2 to 12 of them, side by side in one picture labelled with "
        "each name; a name that is a look is the look (write ./NAME for a file of that "
        "name). The other options apply to each",
        lookList, [&o](const std::vector<std::string>& names) { o.compared = names; })
        ->type_name("LOOK_OR_FILE,LOOK_OR_FILE[,...]")
        ->excludes(turntable)
        ->group(group);
}

void defineFiles(CLI::App& app, PreviewOptions& o) {
    const char* group = "Files";
    app.add_option("--module", o.modulePath,
                   "Module file to load (default: pelorix3.so beside this program)")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
    CLI::Option* preset =
        app.add_option("--preset", o.presetName,
                       "A named look from the presets folder (see --list-presets), or a look "
                       "folder by its path (./NAME, or any name with a slash, as --save-look "
                       "writes one): its stored parameters and surface inputs, before the "
                       "options above apply")
            ->type_name("NAME|DIR")
            ->check(nameOfA("look"))
            ->group(group);
    app.add_flag("--list-presets", o.listPresets, "List the named looks and what they are")
        ->group(group);
    app.add_option("--load", o.loadPath,
                   "Read the seven stored parameter values from FILE (- reads standard input) "
                   "before the options above apply")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->excludes(preset)
        ->group(group);
    app.add_option("--save", o.savePath,
                   "Write the instance's stored parameter values to FILE (- writes standard "
                   "output), as a scene stores them")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
    app.add_option_function<std::string>(
           "--save-look",
           [&o](const std::string& path) {
               // my-felt/ names the folder my-felt, which is made beside the others.
               const std::size_t last = path.find_last_not_of('/');
               o.saveLookPath = last == std::string::npos ? path : path.substr(0, last + 1);
           },
           "Write the look as it stands into a new folder DIR, whole or not at all: "
           "parameters.txt (the stored values, as --save writes them in text), "
           "look.txt (the surface inputs) and the maps it uses; --preset DIR reads it")
        ->type_name("DIR")
        ->check(nameOfA("folder"))
        ->group(group);
    const Words<looks::StorageMode> modes{{"text", looks::StorageMode::Text},
                                          {"binary", looks::StorageMode::Binary},
                                          {"auto", looks::StorageMode::Auto}};
    // --mode comes first: CLI11 applies options in the order they are declared, so the
    // two specific options below win over it.
    addWordOption<looks::StorageMode>(
        app, "--mode", modes,
        [&o](const looks::StorageMode& mode) {
            o.loadMode = mode;
            o.saveMode = mode;
        },
        "Form of both parameter files: text (one value per line) or binary (seven big-endian "
        "4-byte floats); auto reads either and saves text")
        ->default_str("auto")
        ->group(group);
    addWordOption<looks::StorageMode>(
        app, "--load-mode", modes, [&o](const looks::StorageMode& mode) { o.loadMode = mode; },
        "Form of the --load file (default: --mode)")
        ->group(group);
    addWordOption<looks::StorageMode>(
        app, "--save-mode", modes, [&o](const looks::StorageMode& mode) { o.saveMode = mode; },
        "Form of the --save file (default: --mode), e.g. --load-mode text --save-mode binary "
        "converts")
        ->group(group);
    app.add_option("--panel", o.panelPath, "Paint the options panel into a PNG file")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
    app.add_option("--sheet", o.sheetPath, "Contact sheet PNG: density across, roughness down")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
    app.add_option("--switch-sheet", o.switchSheetPath,
                   "Contact sheet PNG: the two switches off and on")
        ->type_name("FILE")
        ->check(nameOfA("file"))
        ->group(group);
}

// The surfaces of an object file from --mesh: which the look goes to, their list, and the
// object file written with the look in them.
void defineObjectSurfaces(CLI::App& app, PreviewOptions& o) {
    const char* group = "Object-file surfaces";
    CLI::Option* mesh = app.get_option("--mesh");
    app.add_option("--surface", o.surfaceNames,
                   "The --mesh object file's surface the look (the options above, --preset, "
                   "--load) goes to; repeat it for more (default: every surface that runs "
                   "pelorix3, or, when none does, the whole model)")
        ->type_name("NAME")
        ->allow_extra_args(false)
        ->needs(mesh)
        ->group(group);
    app.add_flag("--list-surfaces", o.listSurfaces,
                 "List the --mesh object file's surfaces: polygons, base values, shaders")
        ->needs(mesh)
        ->group(group);
    CLI::Option* write =
        app.add_option("--write-object", o.writeObjectPath,
                       "Write a copy of the --mesh object file in which each surface the look "
                       "goes to runs pelorix3 with the look's stored block, whole or not at all")
            ->type_name("FILE")
            ->check(nameOfA("file"))
            ->needs(mesh)
            ->group(group);
    app.add_flag("--write-surface-values", o.writeSurfaceValues,
                 "With --write-object: write the look's colour, diffuse, specular, luminosity "
                 "and roughness into those surfaces as their base values too")
        ->needs(write)
        ->group(group);
}

// Each look compared takes the place of --preset and --load; no one look of them is the
// run's to save or to write into an object file.
void excludeFromComparison(CLI::App& app) {
    CLI::Option* compare = app.get_option("--compare");
    compare->excludes(app.get_option("--preset"));
    compare->excludes(app.get_option("--load"));
    compare->excludes(app.get_option("--save-look"));
    compare->excludes(app.get_option("--write-object"));
}

// Declares every option on `app`, writing into `options` as the command line is parsed.
void defineOptions(CLI::App& app, PreviewOptions& options) {
    options.render.threads =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
    options.scene.creaseFromSurfaces = true;  // until --crease gives one angle for all
    if (const char* output = std::getenv(kDefaultOutputVariable); output && *output) {
        options.output = output;
    }
    app.description(
        "Renders a preview of the pelorix3 sheen shader: the module file is loaded and driven "
        "through the stand-in host exactly as the renderer drives it. With no options it "
        "renders a cloth draped over a ball, on a neutral floor, to " +
        options.output + ".");
    app.footer(
        "Pictures are PNG files: FILE.png, a name without an extension, a device or pipe, or - "
        "for standard output; the preview may also be FILE.exr. A PNG holds the shader's "
        "colour values as the renderer's display shows them, clamped to 0 to 1, with no curve "
        "of the tool's own (its sRGB chunk says so); an OpenEXR preview keeps them unclamped. "
        "Each file is written whole or not at all. Messages go to standard error.\n\nThe "
        "environment variable " +
        std::string(kDefaultOutputVariable) +
        ", when set, names the preview's file when -o is not given; bash scripts/preview.sh "
        "sets it to out/preview.png in the repository.\n\nExit status: 0 success; 1 a file or "
        "the module could not be read or written (an output's folder is checked before any "
        "work); 2 a bad command line, which includes two "
        "names for one file, standard input or output named twice, and a picture name in "
        "another format.");
    app.add_flag("--version", options.showVersion,
                 "Print the tool's version and the module's (the one its options panel's title "
                 "carries), then exit");
    defineParameters(app, options.parameters);
    defineSubject(app, options);
    defineSurface(app, options.surface);
    defineMapOption(app, options.maps, kSurfaceGroup);
    defineLights(app, options.scene);
    defineImage(app, options);
    defineCamera(app, options);
    defineFiles(app, options);
    defineObjectSurfaces(app, options);
    excludeFromComparison(app);
}

constexpr int kExitUsage = 2;

// The command a person ran, for the message that says what to run next: the one
// scripts/preview.sh names in kCommandVariable, or the program as it was started.
std::string commandName(const char* started) {
    if (const char* command = std::getenv(kCommandVariable); command && *command) return command;
    return started && *started ? started : "pelorix3-preview";
}

bool looksLikeAnOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-' &&
           !looks::parseStoredNumber(argument).has_value();  // -1 is a value
}

std::vector<std::string> optionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options()) {
        for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
        for (const std::string& name : option->get_snames()) names.push_back("-" + name);
    }
    return names;
}

// What the parser could not place: the first unknown option, with the option it most
// likely meant; or, when every argument left over is a value, the first of them.
std::string unexpected(const CLI::App& app) {
    const std::vector<std::string> left = app.remaining();
    const auto option = std::find_if(left.begin(), left.end(), looksLikeAnOption);
    if (option == left.end()) {
        return "unexpected argument " + (left.empty() ? std::string() : left.front()) +
               ": every value belongs to an option (-o FILE, --mesh FILE, ...)";
    }
    const std::string name = option->substr(0, option->find('='));
    const std::optional<std::string> meant = nearestOption(name, optionNames(app));
    return "unknown option " + name + (meant ? "; did you mean " + *meant + "?" : "");
}

int refused(const std::string& reason, const std::string& command) {
    std::fprintf(stderr, "pelorix3-preview: %s\nRun %s --help for the options.\n", reason.c_str(),
                 command.c_str());
    return kExitUsage;
}

}  // namespace

std::string PreviewOptions::moduleFile() const {
    return modulePath.empty() ? standin::defaultModulePath() : modulePath;
}

std::string PreviewOptions::renderPath() const {
    if (outputGiven) return output;
    if (turntableViews > 0) return "turntable-%03d.png";
    if (!compared.empty()) return "compare.png";
    return output;
}

std::optional<int> parseCommandLine(int argc, char** argv, PreviewOptions& options) {
    CLI::App app;
    const std::string command = commandName(argc > 0 ? argv[0] : nullptr);
    app.name(command);
    defineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ExtrasError&) {
        return refused(unexpected(app), command);
    } catch (const CLI::ParseError& error) {
        return refused(error.what(), command);
    }
    return std::nullopt;
}

}  // namespace preview
