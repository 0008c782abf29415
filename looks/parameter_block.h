// The shader's seven stored values, in their stored order, and the ways the host moves
// them into and out of an instance: the module takes its parameters only through load.
#ifndef PELORIX3_LOOKS_PARAMETER_BLOCK_H
#define PELORIX3_LOOKS_PARAMETER_BLOCK_H

#include <array>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/triple.h"
#include "host/shader_driver.h"

namespace looks {

struct ParameterBlock {
    static constexpr std::size_t count = 7;

    double density = 0.0;
    double transparency = 0.0;
    base::Triple specularColor{0.0, 0.0, 0.0};
    double dontOverlapShadows = 0.0;   // a switch: the module truncates it to an int
    double densityByLuminosity = 0.0;  // a switch

    std::array<double, count> values() const;
    static ParameterBlock fromValues(const std::array<double, count>& values);
};

// One text item per value, " <number>" in the shortest form that reads back as the same
// double, so that a loaded block holds exactly these values.
std::vector<std::string> textItems(const ParameterBlock& block);

// Loads the block into the instance in text mode.
base::Status loadInto(standin::ShaderInstance& instance, const ParameterBlock& block);

// What the instance holds, read through a text-mode save (six decimals, as stored).
base::Result<ParameterBlock> readBack(const standin::ShaderInstance& instance);

}  // namespace looks

#endif
