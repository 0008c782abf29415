#include "tools/preview/map_options.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "base/message_text.h"

namespace preview {
namespace {

std::string inputList() { return base::listed(render::kSurfaceInputNames); }

// INPUT=FILE split at its first "=", the input one the renderer hands the shader.
std::optional<MapOption> parsed(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals + 1 == text.size()) return std::nullopt;
    const std::optional<render::SurfaceInput> input =
        render::surfaceInputNamed(std::string_view(text).substr(0, equals));
    if (!input) return std::nullopt;
    return MapOption{*input, text.substr(equals + 1)};
}

}  // namespace

void defineMapOption(CLI::App& app, std::vector<MapOption>& maps, const char* group) {
    app.add_option_function<std::vector<std::string>>(
           "--map",
           [&maps](const std::vector<std::string>& texts) {
               for (const std::string& text : texts) maps.push_back(parsed(text).value());
           },
           "A PNG picture that drives a surface input across the subject (" + inputList() +
               "), sampled at the model's texture coordinates, bilinear and repeating: a "
               "grey picture gives the input's value (8-bit value / 255), a colour one the "
               "colour. Give --map once for each input mapped")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                if (parsed(text)) return {};
                return "\"" + text + "\" is not INPUT=FILE with INPUT one of " + inputList();
            },
            ""))
        // One INPUT=FILE each time the option is given, as the help shows it.
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name("INPUT=FILE.png")
        ->group(group);
}

base::Status checkMapOptions(const std::vector<MapOption>& maps,
                             const SurfaceOverrides& constants) {
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const std::string name(render::nameOf(maps[i].input));
        for (std::size_t j = 0; j < i; ++j) {
            if (maps[j].input == maps[i].input) {
                return base::Status::failure("--map gives " + name +
                                             " two maps; an input takes one");
            }
        }
        if (constants.gives(maps[i].input)) {
            return base::Status::failure("--" + name + " and --map " + name + " both give " + name +
                                         "; give one of them");
        }
    }
    return base::succeeded();
}

}  // namespace preview
