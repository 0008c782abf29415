#include "tools/preview/name_pattern.h"

#include <cctype>

namespace preview {
namespace {

// Widths beyond this pad a number with nothing a file name needs.
constexpr int kWidestNumber = 9;

std::string refusal(const std::string& pattern, const std::string& why) {
    return "the name pattern \"" + pattern + "\" " + why +
           "; give one %d for the picture's number, e.g. turn-%03d.png";
}

}  // namespace

base::Result<NamePattern> NamePattern::parse(const std::string& pattern) {
    using Outcome = base::Result<NamePattern>;
    NamePattern parsed;
    bool converted = false;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        std::string& text = converted ? parsed.after_ : parsed.before_;
        if (pattern[at] != '%') {
            text += pattern[at];
            continue;
        }
        if (++at < pattern.size() && pattern[at] == '%') {
            text += '%';
            continue;
        }
        if (converted) return Outcome::failure(refusal(pattern, "has more than one conversion"));
        parsed.zeros_ = at < pattern.size() && pattern[at] == '0';
        int width = 0;
        for (; at < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[at])); ++at) {
            width = width * 10 + (pattern[at] - '0');
            if (width > kWidestNumber) {
                return Outcome::failure(refusal(
                    pattern, "pads its number wider than " + std::to_string(kWidestNumber)));
            }
        }
        if (at >= pattern.size() || pattern[at] != 'd') {
            return Outcome::failure(
                refusal(pattern, "has a conversion other than %d, %Nd or %0Nd"));
        }
        parsed.width_ = width;
        converted = true;
    }
    if (!converted) return Outcome::failure(refusal(pattern, "has no %d"));
    return Outcome::success(std::move(parsed));
}

std::string NamePattern::name(int number) const {
    std::string digits = std::to_string(number);
    const std::size_t width = static_cast<std::size_t>(width_);
    if (digits.size() < width) digits.insert(0, width - digits.size(), zeros_ ? '0' : ' ');
    return before_ + digits + after_;
}

std::string NamePattern::nameWith(const std::string& word) const { return before_ + word + after_; }

}  // namespace preview
