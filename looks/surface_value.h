// The surface inputs as text, as look files and the studio give them: a colour as R,G,B
// and the other four as one number each, every one held to the range the command line
// holds its option to.
#ifndef PELORIX3_LOOKS_SURFACE_VALUE_H
#define PELORIX3_LOOKS_SURFACE_VALUE_H

#include <string>
#include <string_view>

#include "base/result.h"
#include "render/scene_settings.h"

namespace looks {

// Sets the input named `key` ("color", "diffuse", "specular", "luminous", "roughness") from
// `text`; otherwise says why, the key first ("diffuse -1 is out of range: it must be at
// least 0", "unknown key \"shine\""), and `surface` is unchanged.
base::Status setSurfaceValue(render::SurfaceInputs& surface, std::string_view key,
                             std::string_view text);

// The input's value as text that setSurfaceValue() reads back as the same value: numbers
// in their shortest such form, a colour's three separated by commas.
std::string surfaceValueText(const render::SurfaceInputs& surface, render::SurfaceInput input);

}  // namespace looks

#endif
