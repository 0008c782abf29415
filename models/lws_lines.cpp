#include "models/lws_lines.h"

#include <cstdio>

#include "models/scene_object_path.h"

namespace models {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Control bytes other than the tab; the line ends are not part of any line.
bool isForbiddenByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t') || byte == 0x7f;
}

std::string byteName(char c) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02x", static_cast<unsigned char>(c));
    return text;
}

}  // namespace

std::optional<LineFault> unfitLine(std::string_view text) {
    base::TextLines lines(text);
    while (lines.next()) {
        const std::string_view line = lines.line();
        if (line.size() > kLongestSceneLine) {
            return LineFault{lines.number(), "the line is longer than " +
                                                 std::to_string(kLongestSceneLine) +
                                                 " bytes, which no scene line is"};
        }
        for (const char c : line) {
            if (isForbiddenByte(c)) {
                return LineFault{lines.number(),
                                 "a control byte (" + byteName(c) + "), which no scene file holds"};
            }
        }
    }
    return std::nullopt;
}

std::string sceneFault(const std::string& name, std::size_t line, const std::string& what) {
    return name + ", line " + std::to_string(line) + ": " + what;
}

bool LwsLines::next() {
    if (held_) {
        held_ = false;
        return true;
    }
    while (lines_.next()) {
        base::LineWords words(lines_.line());
        keyword_ = words.next();
        if (keyword_.empty()) continue;
        const std::string_view line = lines_.line();
        std::size_t start =
            static_cast<std::size_t>(keyword_.data() - line.data()) + keyword_.size();
        if (start < line.size()) ++start;
        std::size_t end = line.size();
        while (end > start && isBlank(line[end - 1])) --end;
        rest_ = line.substr(start, end - start);
        return true;
    }
    return false;
}

bool LwsLines::keywordIs(std::string_view word) const {
    return sameNameIgnoringCase(keyword_, word);
}

std::size_t LwsLines::bytesLeft() const {
    return text_.size() - (lines_.offset() + lines_.line().size());
}

}  // namespace models
