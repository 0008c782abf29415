#include "tools/preview/option_suggestion.h"

#include <algorithm>
#include <cctype>

namespace preview {
namespace {

// The edits allowed: one for every three letters after the dashes, and at least one.
constexpr std::size_t kLettersPerEdit = 3;

char lowered(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string_view withoutValue(std::string_view typed) {
    return typed.substr(0, std::min(typed.find('='), typed.size()));
}

std::size_t lettersOf(std::string_view name) {
    return name.size() - std::min(name.find_first_not_of('-'), name.size());
}

}  // namespace

std::size_t editDistance(std::string_view a, std::string_view b) {
    // Three rows of the table of distances between the prefixes of a and b.
    std::vector<std::size_t> beforeLast(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) last[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = lowered(a[i - 1]) == lowered(b[j - 1]);
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lowered(a[i - 1]) == lowered(b[j - 2]) &&
                lowered(a[i - 2]) == lowered(b[j - 1])) {
                row[j] = std::min(row[j], beforeLast[j - 2] + 1);
            }
        }
        std::swap(beforeLast, last);
        std::swap(last, row);
    }
    return last[b.size()];
}

std::optional<std::string> nearestOption(std::string_view typed,
                                         const std::vector<std::string>& names) {
    const std::string_view name = withoutValue(typed);
    const std::size_t allowed = std::max<std::size_t>(1, lettersOf(name) / kLettersPerEdit);
    std::optional<std::string> nearest;
    std::size_t nearestDistance = allowed + 1;
    for (const std::string& candidate : names) {
        const std::size_t distance = editDistance(name, candidate);
        if (distance < nearestDistance) {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return nearest;
}

}  // namespace preview
