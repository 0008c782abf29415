#include "web/pattern_maps.h"

#include <algorithm>
#include <filesystem>

#include "render/patterns.h"

namespace studio {

std::shared_ptr<const render::TextureMap> PatternMaps::map(std::string_view pattern) {
    if (const auto found = made_.find(pattern); found != made_.end()) return found->second;
    std::optional<render::TextureMap> made = render::patternMap(pattern);
    if (!made) return nullptr;
    auto shared = std::make_shared<const render::TextureMap>(std::move(*made));
    made_.emplace(std::string(pattern), shared);
    return shared;
}

std::optional<std::string> patternOfFile(const std::string& path) {
    const std::string stem = std::filesystem::path(path).stem().string();
    const bool known =
        std::any_of(render::kPatterns.begin(), render::kPatterns.end(),
                    [&stem](const render::PatternInfo& p) { return p.name == stem; });
    if (!known) return std::nullopt;
    return stem;
}

}  // namespace studio
