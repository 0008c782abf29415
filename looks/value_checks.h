// The ranges the preview's numbers must lie in, checked alike wherever a number comes
// from: the command line or a look file.
#ifndef PELORIX3_LOOKS_VALUE_CHECKS_H
#define PELORIX3_LOOKS_VALUE_CHECKS_H

#include <limits>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/triple.h"

namespace looks {

struct NumberRange {
    double minimum;
    bool minimumIncluded;
    double maximum = std::numeric_limits<double>::infinity();
};

// Weights, levels and intensities: 0 or more.
inline constexpr NumberRange kLevelRange{0.0, true};
// The sheen lobe's exponent is 1/(64 roughness): more than 0.
inline constexpr NumberRange kRoughnessRange{0.0, false};
// A crease angle in degrees.
inline constexpr NumberRange kCreaseRange{0.0, true, 180.0};

// What three numbers stand for: a colour's are none negative, a direction's not all zero.
enum class TripleKind { Position, Colour, Direction };

// The finite number `text` holds when it lies in `range`; otherwise why not, in words that
// follow the name of the value ("\"lots\" is not a number", "-1 is out of range: it must
// be at least 0").
base::Result<double> checkedNumber(std::string_view text, const NumberRange& range);

// How the command line and the messages write three numbers of `kind`: "R,G,B", "X,Y,Z".
const char* tripleName(TripleKind kind);

// Three finite numbers separated by commas, as `kind` allows them.
base::Result<base::Triple> checkedTriple(std::string_view text, TripleKind kind);

}  // namespace looks

#endif
