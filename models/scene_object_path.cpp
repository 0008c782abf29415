#include "models/scene_object_path.h"

#include <algorithm>

#include "base/message_text.h"

namespace models {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// The path's parts between separators, empty ones (doubled separators) left out.
std::vector<std::string_view> partsOf(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

struct WithoutVolume {
    std::string_view rest;
    bool hadVolume = false;
};

// The path with its volume taken off: a network share's host and share, a drive or Amiga
// volume (everything up to a colon in the first part), or a bare leading separator.
WithoutVolume withoutVolume(std::string_view path) {
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        std::vector<std::string_view> parts = partsOf(path);
        const std::size_t shareParts = std::min<std::size_t>(parts.size(), 2);
        if (parts.size() == shareParts) return {std::string_view{}, true};
        const auto restStart = static_cast<std::size_t>(parts[shareParts].data() - path.data());
        return {path.substr(restStart), true};
    }
    const std::size_t firstSeparator =
        std::find_if(path.begin(), path.end(), isSeparator) - path.begin();
    const std::size_t colon = path.substr(0, firstSeparator).find(':');
    if (colon != std::string_view::npos) return {path.substr(colon + 1), true};
    if (!path.empty() && isSeparator(path[0])) return {path, true};
    return {path, false};
}

std::string joined(std::vector<std::string_view>::const_iterator first,
                   std::vector<std::string_view>::const_iterator last) {
    std::string path;
    for (auto part = first; part != last; ++part) {
        path += (path.empty() ? "" : "/") + std::string(*part);
    }
    return path;
}

}  // namespace

base::Result<std::vector<std::string>> objectPathPlaces(std::string_view written) {
    using Places = base::Result<std::vector<std::string>>;
    const WithoutVolume path = withoutVolume(written);
    std::vector<std::string_view> parts;
    for (const std::string_view part : partsOf(path.rest)) {
        if (part == ".") continue;
        if (part != "..") {
            parts.push_back(part);
        } else if (parts.empty()) {
            return Places::failure(base::quotedExcerpt(written) +
                                   " climbs above the content folder");
        } else {
            parts.pop_back();
        }
    }
    if (parts.empty()) {
        return Places::failure(base::quotedExcerpt(written) + " names no file");
    }
    std::vector<std::string> places{joined(parts.begin(), parts.end())};
    if (path.hadVolume) {
        for (auto first = parts.begin() + 1; first != parts.end(); ++first) {
            places.push_back(joined(first, parts.end()));
        }
    }
    return Places::success(std::move(places));
}

base::Result<ObjectPathSearch> searchObjectPath(std::string_view written, const PathProbe& probe) {
    using Search = base::Result<ObjectPathSearch>;
    base::Result<std::vector<std::string>> places = objectPathPlaces(written);
    if (!places) return Search::failure(places.error());
    ObjectPathSearch search;
    for (std::string& place : places.value()) {
        search.found = probe(place);
        search.tried.push_back(std::move(place));
        if (search.found) break;
    }
    return Search::success(std::move(search));
}

std::string fileNameOf(std::string_view written) {
    const std::vector<std::string_view> parts = partsOf(withoutVolume(written).rest);
    return parts.empty() ? std::string() : std::string(parts.back());
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace models
