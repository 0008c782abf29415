// Stored values read as text: blanks around a number, nothing else.
#ifndef PELORIX3_LOOKS_STORED_NUMBER_H
#define PELORIX3_LOOKS_STORED_NUMBER_H

#include <optional>
#include <string_view>

#include "base/triple.h"

namespace looks {

// The finite number the text holds, or nothing when it holds anything else (an empty
// text, stray characters, infinity or not-a-number). Stops at a zero byte.
std::optional<double> parseStoredNumber(std::string_view text);

// Three such numbers separated by commas ("R,G,B" or "X,Y,Z").
std::optional<base::Triple> parseNumberTriple(std::string_view text);

}  // namespace looks

#endif
