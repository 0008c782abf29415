// Text read line by line and word by word, as model files are: a line ends at "\n",
// "\r\n" or a lone "\r", and words are separated by spaces and tabs.
#ifndef PELORIX3_BASE_TEXT_LINES_H
#define PELORIX3_BASE_TEXT_LINES_H

#include <cstddef>
#include <string_view>

namespace base {

class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text) {}

    // Moves to the next line; false after the last one. A text that ends with a line end
    // has no empty line after it.
    bool next();

    std::string_view line() const { return line_; }
    // Counted from 1.
    std::size_t number() const { return number_; }
    // Where the line starts in the text.
    std::size_t offset() const { return offset_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::string_view line_;
    std::size_t number_ = 0;
    std::size_t offset_ = 0;
};

// The control bytes among `bytes`: those below a space, and DEL, other than the ones text
// holds for spacing (tab, line feed, carriage return, form feed, vertical tab).
std::size_t controlByteCount(std::string_view bytes);

// Whether `start`, the beginning of a file, says the file is not text: more than a
// quarter of it is control bytes.
bool isMostlyControlBytes(std::string_view start);

// The number of the line that holds the byte at `offset`.
std::size_t lineNumberAt(std::string_view text, std::size_t offset);

// The words of one line, taken off its front one at a time.
class LineWords {
public:
    explicit LineWords(std::string_view line) : rest_(line) {}

    // The next word; empty when there is none left.
    std::string_view next();

private:
    std::string_view rest_;
};

}  // namespace base

#endif
