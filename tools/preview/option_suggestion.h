// What a misspelt option most likely meant: the option name a few edits away from what was
// typed ("--densty" is one letter short of "--density"), so that the message can say it.
#ifndef PELORIX3_TOOLS_PREVIEW_OPTION_SUGGESTION_H
#define PELORIX3_TOOLS_PREVIEW_OPTION_SUGGESTION_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

// The number of single-letter insertions, deletions, replacements and swaps of two
// neighbouring letters that turn `a` into `b`, letters compared in any case.
std::size_t editDistance(std::string_view a, std::string_view b);

// The name among `names` (with their dashes) nearest to `typed`, which may carry a value
// after "=" ("--densty=0.5"): at most one edit away for every three letters typed after
// the dashes, and one at least. The first of equally near names; none when nothing is
// that near.
std::optional<std::string> nearestOption(std::string_view typed,
                                         const std::vector<std::string>& names);

}  // namespace preview

#endif
