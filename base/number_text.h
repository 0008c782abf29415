// Doubles to text and back, with the same results on every target: the C++ library's
// std::to_chars and std::from_chars where it has them for floating point (GCC's library,
// natively and for Windows), the C library's snprintf and strtod where it has not (libc++
// 13, the WebAssembly build), which are exact there and always run in the "C" locale.
// The C library's path is compiled on every target, so that the unit tests hold it to the
// C++ library's natively (glibc's conversions are exact too; the Windows C library's are
// not, so Windows keeps the C++ library's path), and to pinned results everywhere.
#ifndef PELORIX3_BASE_NUMBER_TEXT_H
#define PELORIX3_BASE_NUMBER_TEXT_H

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace base::number_text {

namespace c_library {

namespace detail {

// snprintf's text copied to [first, last), or value_too_large when it does not fit.
template <typename... Arguments>
std::to_chars_result printed(char* first, char* last, const char* format, Arguments... arguments) {
    char local[128];
    const int length = std::snprintf(local, sizeof local, format, arguments...);
    if (length < 0 || length > last - first) return {last, std::errc::value_too_large};
    if (static_cast<std::size_t>(length) < sizeof local) {
        std::memcpy(first, local, static_cast<std::size_t>(length));
    } else {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::snprintf(text.data(), text.size(), format, arguments...);
        std::memcpy(first, text.data(), static_cast<std::size_t>(length));
    }
    return {first + length, std::errc()};
}

// One decimal unit in the last place of a digit text "d.ddde±xx" (or "de±xx") moved up or
// down, keeping the number of digits; empty when that would change it (9.99 up, 1.00 down).
inline std::string neighbour(const std::string& text, bool up) {
    std::string result = text;
    const std::size_t exponent = result.find('e');
    const std::size_t begin = result[0] == '-' ? 1 : 0;
    for (std::size_t i = exponent; i-- > begin;) {
        if (result[i] == '.') continue;
        if (up ? result[i] != '9' : result[i] != '0') {
            result[i] = static_cast<char>(result[i] + (up ? 1 : -1));
            const bool leadingZero = result[begin] == '0' && (exponent - begin) > 1;
            return leadingZero ? std::string() : result;
        }
        result[i] = up ? '0' : '9';
    }
    return {};
}

inline bool readsBackAs(const std::string& text, double value) {
    return !text.empty() && std::strtod(text.c_str(), nullptr) == value;
}

// The shortest "%.*e" text that reads back as value (finite, nonzero): of the texts with
// the fewest digits that read back, the one nearest to value, as std::to_chars gives it.
inline std::string shortestScientific(double value) {
    char text[64];
    for (int precision = 0; precision < 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision, value);
        const std::string nearest = text;
        if (readsBackAs(nearest, value)) return nearest;
        // Just above or below a power of two the values that read back as value reach
        // twice as far on one side as on the other: the digits one unit away on the far
        // side can read back when the nearest ones do not.
        const bool below = std::strtod(text, nullptr) < value;
        const std::string other = neighbour(nearest, (value > 0) == below);
        if (readsBackAs(other, value)) return other;
    }
    std::snprintf(text, sizeof text, "%.16e", value);
    return text;
}

inline std::to_chars_result copied(char* first, char* last, const std::string& text) {
    if (static_cast<std::ptrdiff_t>(text.size()) > last - first) {
        return {last, std::errc::value_too_large};
    }
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// The digits and decimal exponent of a "%e" text: "-1.25e-03" gives "125" and -3.
inline void splitScientific(const std::string& text, std::string& digits, int& exponent) {
    const std::size_t e = text.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9') digits += text[i];
    }
    exponent = std::atoi(text.c_str() + e + 1);
}

// The fixed-point text of the shortest digits: digits then zeros for whole numbers
// (exactly printed, as "%.0f" does), else the digits around a decimal point.
inline std::string shortestFixed(double value, const std::string& digits, int exponent) {
    const std::string sign = std::signbit(value) ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent >= count - 1) {
        char text[400];
        std::snprintf(text, sizeof text, "%.0f", value);
        return text;
    }
    if (exponent >= 0) {
        return sign + digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
               digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    return sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
}

inline bool startsWithWord(const char* first, const char* last, const char* word) {
    const std::size_t length = std::strlen(word);
    if (static_cast<std::size_t>(last - first) < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = first[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != word[i]) return false;
    }
    return true;
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The end of the number std::from_chars reads in its general format: an optional minus,
// "inf", "infinity", "nan" or "nan(chars)" in any case, or digits with an optional point
// and an optional exponent that counts only when it has digits. first when there is none.
inline const char* numberEnd(const char* first, const char* last, bool& special) {
    const char* p = first;
    if (p != last && *p == '-') ++p;
    special = true;
    if (startsWithWord(p, last, "infinity")) return p + 8;
    if (startsWithWord(p, last, "inf")) return p + 3;
    if (startsWithWord(p, last, "nan")) {
        p += 3;
        const char* close = p;
        if (close != last && *close == '(') {
            ++close;
            while (close != last &&
                   (isDigit(*close) || *close == '_' || (*close >= 'a' && *close <= 'z') ||
                    (*close >= 'A' && *close <= 'Z')))
                ++close;
            if (close != last && *close == ')') return close + 1;
        }
        return p;
    }
    special = false;
    bool digits = false;
    while (p != last && isDigit(*p)) ++p, digits = true;
    if (p != last && *p == '.') {
        ++p;
        while (p != last && isDigit(*p)) ++p, digits = true;
    }
    if (!digits) return first;
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* exponent = p + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
        if (exponent != last && isDigit(*exponent)) {
            while (exponent != last && isDigit(*exponent)) ++exponent;
            p = exponent;
        }
    }
    return p;
}

inline bool hasNonzeroDigit(const char* first, const char* last) {
    for (const char* p = first; p != last && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '1' && *p <= '9') return true;
    }
    return false;
}

}  // namespace detail

// As std::to_chars(first, last, value, std::chars_format::fixed, precision).
inline std::to_chars_result fixed(char* first, char* last, double value, int precision) {
    return detail::printed(first, last, "%.*f", precision, value);
}

// As std::to_chars(first, last, value, std::chars_format::scientific).
inline std::to_chars_result scientific(char* first, char* last, double value) {
    if (!std::isfinite(value) || value == 0.0) {
        return detail::printed(first, last, "%.0e", value);
    }
    return detail::copied(first, last, detail::shortestScientific(value));
}

// As std::to_chars(first, last, value): the shorter of the shortest fixed and scientific
// texts, fixed when they are as long.
inline std::to_chars_result shortest(char* first, char* last, double value) {
    if (!std::isfinite(value) || value == 0.0) {
        return detail::printed(first, last, "%.0f", value);
    }
    const std::string scientificText = detail::shortestScientific(value);
    std::string digits;
    int exponent = 0;
    detail::splitScientific(scientificText, digits, exponent);
    const std::string fixedText = detail::shortestFixed(value, digits, exponent);
    return detail::copied(first, last,
                          fixedText.size() <= scientificText.size() ? fixedText : scientificText);
}

// As std::from_chars(first, last, value): the general format, no leading blanks or plus
// sign; value is left alone on an error, and a number beyond the double range (overflow,
// or a nonzero number that rounds to zero) is result_out_of_range.
inline std::from_chars_result parse(const char* first, const char* last, double& value) {
    bool special = false;
    const char* end = detail::numberEnd(first, last, special);
    if (end == first) return {first, std::errc::invalid_argument};
    const std::string text(first, end);
    const double result = std::strtod(text.c_str(), nullptr);
    if (!special) {
        if (std::isinf(result)) return {end, std::errc::result_out_of_range};
        if (result == 0.0 && detail::hasNonzeroDigit(first, end)) {
            return {end, std::errc::result_out_of_range};
        }
    }
    value = result;
    return {end, std::errc()};
}

}  // namespace c_library

#ifdef __EMSCRIPTEN__

inline std::to_chars_result fixed(char* first, char* last, double value, int precision) {
    return c_library::fixed(first, last, value, precision);
}
inline std::to_chars_result scientific(char* first, char* last, double value) {
    return c_library::scientific(first, last, value);
}
inline std::to_chars_result shortest(char* first, char* last, double value) {
    return c_library::shortest(first, last, value);
}
inline std::from_chars_result parse(const char* first, const char* last, double& value) {
    return c_library::parse(first, last, value);
}

#else

inline std::to_chars_result fixed(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::fixed, precision);
}
inline std::to_chars_result scientific(char* first, char* last, double value) {
    return std::to_chars(first, last, value, std::chars_format::scientific);
}
inline std::to_chars_result shortest(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
inline std::from_chars_result parse(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value, std::chars_format::general);
}

#endif

// The shortest text that reads back as `value`, as a string.
inline std::string shortestText(double value) {
    char text[64];
    const std::to_chars_result written = shortest(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

}  // namespace base::number_text

#endif
