// What the panels can show of a parameter block and of the scene's colours. The command
// line and the stored block hold fractions (density 1, colour 1) where the panels show
// percent (100 %) and 0-255 sliders; a value outside a panel's range is kept, since a
// stored block may hold any value and a renderer takes any colour, but the user is told,
// since it most often comes from mixing the units up.
#ifndef PELORIX3_LOOKS_PANEL_RANGE_H
#define PELORIX3_LOOKS_PANEL_RANGE_H

#include <string>
#include <vector>

#include "base/triple.h"
#include "looks/parameter_block.h"

namespace looks {

// One sentence per value the panel cannot show, naming the value in both units.
std::vector<std::string> outOfPanelRange(const ParameterBlock& block);

// The same for a colour of the scene (`name` says which: "surface colour", "key light
// colour", ...), whose channels the renderer's panels show from 0 to 255.
std::vector<std::string> outOfColourRange(const std::string& name, const base::Triple& colour);

}  // namespace looks

#endif
