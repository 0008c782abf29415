// A look's look.txt as text, in the form readPreset() reads: its description, the five
// surface inputs, and its maps by the bare names of their files.
#ifndef PELORIX3_LOOKS_LOOK_TEXT_H
#define PELORIX3_LOOKS_LOOK_TEXT_H

#include <string>
#include <vector>

#include "looks/preset.h"

namespace looks {

// Every input is written, so that the look does not depend on the defaults of whoever reads
// it; a line break in the description becomes a space.
std::string lookText(const std::string& description, const render::SurfaceInputs& surface,
                     const std::vector<LookMap>& maps);

}  // namespace looks

#endif
