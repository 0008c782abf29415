#include "looks/look_text.h"

#include <algorithm>
#include <filesystem>

#include "looks/surface_value.h"

namespace looks {

std::string lookText(const std::string& description, const render::SurfaceInputs& surface,
                     const std::vector<LookMap>& maps) {
    std::string oneLine = description;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::string text = "description = " + oneLine + "\n";
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        const auto input = static_cast<render::SurfaceInput>(i);
        text += std::string(render::kSurfaceInputNames[i]) + " = " +
                surfaceValueText(surface, input) + "\n";
    }
    for (const LookMap& map : maps) {
        text += "map." + std::string(render::nameOf(map.input)) + " = " +
                std::filesystem::path(map.path).filename().string() + "\n";
    }
    return text;
}

}  // namespace looks
