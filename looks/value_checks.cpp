#include "looks/value_checks.h"

#include <cmath>
#include <sstream>

#include "looks/stored_number.h"

namespace looks {
namespace {

std::string show(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool inRange(double value, const NumberRange& range) {
    const bool aboveMinimum =
        range.minimumIncluded ? value >= range.minimum : value > range.minimum;
    return aboveMinimum && value <= range.maximum;
}

std::string bounds(const NumberRange& range) {
    const std::string lower =
        (range.minimumIncluded ? "at least " : "greater than ") + show(range.minimum);
    if (std::isinf(range.maximum)) return lower;
    return lower + " and at most " + show(range.maximum);
}

}  // namespace

base::Result<double> checkedNumber(std::string_view text, const NumberRange& range) {
    using NumberResult = base::Result<double>;
    const std::optional<double> value = parseStoredNumber(text);
    if (!value) return NumberResult::failure("\"" + std::string(text) + "\" is not a number");
    if (!inRange(*value, range)) {
        return NumberResult::failure(std::string(text) + " is out of range: it must be " +
                                     bounds(range));
    }
    return NumberResult::success(*value);
}

const char* tripleName(TripleKind kind) { return kind == TripleKind::Colour ? "R,G,B" : "X,Y,Z"; }

base::Result<base::Triple> checkedTriple(std::string_view text, TripleKind kind) {
    using TripleResult = base::Result<base::Triple>;
    const std::optional<base::Triple> t = parseNumberTriple(text);
    const std::string shown(text);
    if (!t) {
        return TripleResult::failure("\"" + shown +
                                     "\" is not three numbers separated by commas (" +
                                     tripleName(kind) + ")");
    }
    if (kind == TripleKind::Colour && ((*t)[0] < 0.0 || (*t)[1] < 0.0 || (*t)[2] < 0.0)) {
        return TripleResult::failure(shown + " has a negative component");
    }
    if (kind == TripleKind::Direction && !base::unit(*t)) {
        return TripleResult::failure(shown + " has no direction");
    }
    return TripleResult::success(*t);
}

}  // namespace looks
