// What the options panel can show of a parameter block. The command line and the stored
// block hold fractions (density 1, colour 1) where the panel shows percent (100 %) and
// 0-255 sliders; a value outside the panel's range is kept, since a stored block may hold
// any value, but the user is told, since it most often comes from mixing the units up.
#ifndef PELORIX3_LOOKS_PANEL_RANGE_H
#define PELORIX3_LOOKS_PANEL_RANGE_H

#include <string>
#include <vector>

#include "looks/parameter_block.h"

namespace preview {

// One sentence per value the panel cannot show, naming the value in both units.
std::vector<std::string> outOfPanelRange(const ParameterBlock& block);

}  // namespace preview

#endif
