#include "looks/surface_value.h"

#include "base/number_text.h"
#include "looks/value_checks.h"

namespace looks {
namespace {

using render::SurfaceInput;
using render::SurfaceInputs;

// The inputs given as one number, each with the range of its command-line option.
struct SurfaceNumber {
    SurfaceInput input;
    double SurfaceInputs::*value;
    NumberRange range;
};

constexpr SurfaceNumber kSurfaceNumbers[] = {
    {SurfaceInput::Diffuse, &SurfaceInputs::diffuse, kLevelRange},
    {SurfaceInput::Specular, &SurfaceInputs::specular, kLevelRange},
    {SurfaceInput::Luminous, &SurfaceInputs::luminous, kLevelRange},
    {SurfaceInput::Roughness, &SurfaceInputs::roughness, kRoughnessRange},
};

std::string shortest(double value) {
    char text[32];
    const auto written = base::number_text::shortest(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

}  // namespace

base::Status setSurfaceValue(SurfaceInputs& surface, std::string_view key, std::string_view text) {
    using base::Status;
    const std::optional<SurfaceInput> input = render::surfaceInputNamed(key);
    const std::string named(key);
    if (input == SurfaceInput::Color) {
        const base::Result<base::Triple> color = checkedTriple(text, TripleKind::Colour);
        if (!color) return Status::failure(named + " " + color.error());
        surface.color = color.value();
        return base::succeeded();
    }
    for (const SurfaceNumber& number : kSurfaceNumbers) {
        if (input != number.input) continue;
        const base::Result<double> checked = checkedNumber(text, number.range);
        if (!checked) return Status::failure(named + " " + checked.error());
        surface.*number.value = checked.value();
        return base::succeeded();
    }
    return Status::failure("unknown key \"" + named + "\"");
}

std::string surfaceValueText(const SurfaceInputs& surface, SurfaceInput input) {
    if (input == SurfaceInput::Color) {
        return shortest(surface.color[0]) + "," + shortest(surface.color[1]) + "," +
               shortest(surface.color[2]);
    }
    for (const SurfaceNumber& number : kSurfaceNumbers) {
        if (input == number.input) return shortest(surface.*number.value);
    }
    return {};
}

}  // namespace looks
