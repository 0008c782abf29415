#include "models/lws_values.h"

#include <cmath>

#include "base/message_text.h"
#include "models/obj_words.h"

namespace models {
namespace {

std::string keywordOf(const LwsLines& lines) { return base::excerpt(lines.keyword()); }

std::string numbersNeeded(const LwsLines& lines, std::size_t count) {
    return keywordOf(lines) + " takes " + base::counted(count, "number", "numbers");
}

}  // namespace

std::optional<std::string> numberFault(std::string_view word) {
    const std::optional<double> value = readReal(word);
    if (!value) return base::quotedExcerpt(word) + " is not a number";
    if (!std::isfinite(*value)) return base::quotedExcerpt(word) + " is not a finite number";
    if (std::abs(*value) > kLargestSceneNumber) {
        return base::quotedExcerpt(word) + " is beyond 1e12, more than any scene measures";
    }
    return std::nullopt;
}

double numberOf(std::string_view word) { return readReal(word).value_or(0.0); }

base::Result<std::vector<double>> statementNumbers(const LwsLines& lines, std::size_t count) {
    using Numbers = base::Result<std::vector<double>>;
    std::vector<double> values;
    base::LineWords words(lines.rest());
    for (std::string_view word = words.next(); !word.empty(); word = words.next()) {
        if (values.size() == count) {
            return Numbers::failure(numbersNeeded(lines, count) + "; the line gives more");
        }
        if (const std::optional<std::string> fault = numberFault(word)) {
            return Numbers::failure(*fault + " (" + numbersNeeded(lines, count) + ")");
        }
        values.push_back(numberOf(word));
    }
    if (values.size() < count) {
        return Numbers::failure(numbersNeeded(lines, count) + "; the line gives " +
                                std::to_string(values.size()));
    }
    return Numbers::success(std::move(values));
}

base::Result<long long> statementWhole(const LwsLines& lines, long long lowest, long long highest) {
    using Whole = base::Result<long long>;
    const std::string needed = keywordOf(lines) + " takes a whole number from " +
                               std::to_string(lowest) + " to " + std::to_string(highest);
    base::LineWords words(lines.rest());
    const std::string_view word = words.next();
    if (word.empty() || !words.next().empty()) {
        return Whole::failure(needed + ", alone on its line");
    }
    if (const std::optional<std::string> fault = numberFault(word)) {
        return Whole::failure(*fault + " (" + needed + ")");
    }
    const double value = numberOf(word);
    if (value != std::floor(value) || value < double(lowest) || value > double(highest)) {
        return Whole::failure(needed + ", not " + base::quotedExcerpt(word));
    }
    return Whole::success(static_cast<long long>(value));
}

base::Result<base::Triple> statementColour(const LwsLines& lines) {
    using Colour = base::Result<base::Triple>;
    const auto values = statementNumbers(lines, 3);
    if (!values) return Colour::failure(values.error());
    base::Triple colour;
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = values.value()[i];
        if (v != std::floor(v) || v < 0.0 || v > 255.0) {
            return Colour::failure(keywordOf(lines) +
                                   " takes three whole numbers from 0 to 255, not " +
                                   base::quotedExcerpt(lines.rest()));
        }
        colour[i] = v / 255.0;
    }
    return Colour::success(colour);
}

}  // namespace models
