#include "base/text_lines.h"

#include <algorithm>

namespace base {
namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool spacing =
        byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f' || byte == '\v';
    return (byte < 0x20 && !spacing) || byte == 0x7f;
}

}  // namespace

std::size_t controlByteCount(std::string_view bytes) {
    return static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), isControlByte));
}

bool isMostlyControlBytes(std::string_view start) {
    return controlByteCount(start) * 4 > start.size();
}

bool TextLines::next() {
    if (position_ >= text_.size()) return false;
    std::size_t end = position_;
    while (end < text_.size() && !isLineEnd(text_[end])) ++end;
    offset_ = position_;
    line_ = text_.substr(position_, end - position_);
    ++number_;
    if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() &&
        text_[end + 1] == '\n') {
        ++end;
    }
    position_ = end + 1;
    return true;
}

std::size_t lineNumberAt(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    // Every "\n" ends a line, and so does every "\r" that no "\n" follows.
    std::size_t ends = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    for (std::size_t r = before.find('\r'); r != std::string_view::npos;
         r = before.find('\r', r + 1)) {
        if (r + 1 >= text.size() || text[r + 1] != '\n') ++ends;
    }
    return ends + 1;
}

std::string_view LineWords::next() {
    std::size_t start = 0;
    while (start < rest_.size() && isBlank(rest_[start])) ++start;
    std::size_t end = start;
    while (end < rest_.size() && !isBlank(rest_[end])) ++end;
    const std::string_view word = rest_.substr(start, end - start);
    rest_.remove_prefix(end);
    return word;
}

}  // namespace base
