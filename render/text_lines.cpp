#include "render/text_lines.h"

namespace standin {
namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

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
    TextLines lines(text);
    std::size_t number = 1;
    while (lines.next() && lines.offset() <= offset) number = lines.number();
    return number;
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

}  // namespace standin
