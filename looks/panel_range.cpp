#include "looks/panel_range.h"

#include <cstdio>

namespace looks {
namespace {

constexpr double kPercentPerUnit = 100.0;
constexpr double kSliderPerUnit = 255.0;

bool outsideUnit(double value) { return !(value >= 0.0 && value <= 1.0); }

std::string percentWarning(const char* name, double value) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%s %g shows as %g %% in the panel, which goes from 0 to 100 %%; the value is "
                  "a fraction (0.5 is 50 %%)",
                  name, value, value * kPercentPerUnit);
    return text;
}

std::string sliderWarning(const std::string& colour, const char* component, double value) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%s %s %g is %g on the panel's slider, which goes from 0 to 255; colour "
                  "components are fractions (1 is 255)",
                  colour.c_str(), component, value, value * kSliderPerUnit);
    return text;
}

constexpr const char* kComponents[] = {"red", "green", "blue"};

}  // namespace

std::vector<std::string> outOfPanelRange(const ParameterBlock& block) {
    std::vector<std::string> warnings;
    if (outsideUnit(block.density)) warnings.push_back(percentWarning("density", block.density));
    if (outsideUnit(block.transparency)) {
        warnings.push_back(percentWarning("transparency", block.transparency));
    }
    std::vector<std::string> colour = outOfColourRange("specular colour", block.specularColor);
    warnings.insert(warnings.end(), colour.begin(), colour.end());
    return warnings;
}

std::vector<std::string> outOfColourRange(const std::string& name, const base::Triple& colour) {
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < 3; ++i) {
        if (outsideUnit(colour[i])) {
            warnings.push_back(sliderWarning(name, kComponents[i], colour[i]));
        }
    }
    return warnings;
}

}  // namespace looks
