// The studio's maps. The page has no files to read pictures from, so its maps are the
// patterns made in code (render/patterns.h), each made once, when it is first chosen; a
// look's map file stands for the pattern of its name (burnout.png for "burnout"), which a
// test holds to be the same picture.
#ifndef PELORIX3_WEB_PATTERN_MAPS_H
#define PELORIX3_WEB_PATTERN_MAPS_H

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "render/texture_map.h"

namespace studio {

class PatternMaps {
public:
    // The pattern's map; null for a name that is no pattern's.
    std::shared_ptr<const render::TextureMap> map(std::string_view pattern);

private:
    std::map<std::string, std::shared_ptr<const render::TextureMap>, std::less<>> made_;
};

// The pattern a map file stands for: its name without folder and extension, when a pattern
// has that name.
std::optional<std::string> patternOfFile(const std::string& path);

}  // namespace studio

#endif
