#include "looks/stored_number.h"

#include <cmath>

#include "base/number_text.h"

namespace looks {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<double> parseStoredNumber(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.starts_with('+') && !text.starts_with("+-")) text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] =
        base::number_text::parse(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<base::Triple> parseNumberTriple(std::string_view text) {
    base::Triple t{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return std::nullopt;
        const std::optional<double> value = parseStoredNumber(text.substr(0, comma));
        if (!value) return std::nullopt;
        t[i] = *value;
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    return t;
}

}  // namespace looks
