// The numbers of a scene file's statements: decimals (an optional sign, digits, an optional
// fraction and exponent), finite and of a size a scene can hold; whole numbers in a range;
// colours as three whole numbers from 0 to 255. A failure says what is wrong with the
// words, for the reader to put the file's name and the line before it.
#ifndef PELORIX3_MODELS_LWS_VALUES_H
#define PELORIX3_MODELS_LWS_VALUES_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/triple.h"
#include "models/lws_lines.h"

namespace models {

// No scene measures more, in metres, degrees, frames or factors; beyond it a motion's
// curves and an item's matrices would leave the doubles' range.
inline constexpr double kLargestSceneNumber = 1e12;

// What is wrong with a word where a number belongs ("\"x\" is not a number"); nothing
// when it is a number of the scene's range.
std::optional<std::string> numberFault(std::string_view word);

// The word as a number; only valid when numberFault finds nothing.
double numberOf(std::string_view word);

// Exactly `count` numbers after the keyword.
base::Result<std::vector<double>> statementNumbers(const LwsLines& lines, std::size_t count);

// One whole number from `lowest` to `highest` after the keyword.
base::Result<long long> statementWhole(const LwsLines& lines, long long lowest, long long highest);

// Three whole numbers from 0 to 255 after the keyword, divided by 255.
base::Result<base::Triple> statementColour(const LwsLines& lines);

}  // namespace models

#endif
