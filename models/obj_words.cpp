#include "models/obj_words.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/number_text.h"

namespace models {
namespace {

// from_chars takes a minus sign but no plus sign; files carry either.
std::string_view withoutPlusSign(std::string_view word) {
    if (word.size() > 1 && word[0] == '+' && word[1] != '-' && word[1] != '+') {
        word.remove_prefix(1);
    }
    return word;
}

}  // namespace

std::optional<double> readReal(std::string_view word) {
    word = withoutPlusSign(word);
    const char* end = word.data() + word.size();
    double value = 0.0;
    // The C++ library's from_chars where it reads doubles, the C library's strtod where not.
    const auto [stop, error] = base::number_text::parse(word.data(), end, value);
    if (stop != end || word.empty()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Whether it was too large or too small, strtod says: an infinity or zero.
        return std::strtod(std::string(word).c_str(), nullptr);
    }
    if (error != std::errc()) return std::nullopt;
    return value;
}

std::optional<std::int64_t> readIndex(std::string_view word) {
    word = withoutPlusSign(word);
    const char* end = word.data() + word.size();
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (stop != end || word.empty()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        return word[0] == '-' ? std::numeric_limits<std::int64_t>::min()
                              : std::numeric_limits<std::int64_t>::max();
    }
    if (error != std::errc()) return std::nullopt;
    return value;
}

std::optional<CornerWords> splitCorner(std::string_view word) {
    CornerWords parts;
    const std::size_t first = word.find('/');
    parts.vertex = word.substr(0, first);
    if (first != std::string_view::npos) {
        const std::string_view rest = word.substr(first + 1);
        const std::size_t second = rest.find('/');
        parts.texture = rest.substr(0, second);
        if (second != std::string_view::npos) {
            parts.normal = rest.substr(second + 1);
            if (parts.normal.find('/') != std::string_view::npos) return std::nullopt;
        }
    }
    if (parts.vertex.empty()) return std::nullopt;
    return parts;
}

}  // namespace models
