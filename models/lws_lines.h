// A scene file's text statement by statement: each line that holds a word, its keyword
// (the first word, compared regardless of case) and the rest of it, with its number for
// messages. Lines end at "\n", "\r\n" or a lone "\r"; words are separated by spaces and tabs.
#ifndef PELORIX3_MODELS_LWS_LINES_H
#define PELORIX3_MODELS_LWS_LINES_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_lines.h"

namespace models {

// The longest line a scene may have; writers' lines are a few dozen bytes, a path a few
// hundred.
inline constexpr std::size_t kLongestSceneLine = 8192;

// The first line of `text` that no scene holds (longer than the limit, or with a control
// byte other than a tab: a NUL byte, a form feed, an escape), and why; nothing when every
// line is fit to read.
struct LineFault {
    std::size_t line;
    std::string what;
};
std::optional<LineFault> unfitLine(std::string_view text);

// "NAME, line N: WHAT".
std::string sceneFault(const std::string& name, std::size_t line, const std::string& what);

class LwsLines {
public:
    explicit LwsLines(std::string_view text) : text_(text), lines_(text) {}

    // Moves to the next line that holds a word; false after the last one.
    bool next();
    // The line taken last is taken again by the next call of next().
    void holdBack() { held_ = true; }

    std::string_view line() const { return lines_.line(); }
    std::size_t number() const { return lines_.number(); }
    std::string_view keyword() const { return keyword_; }
    bool keywordIs(std::string_view word) const;
    // The line after its keyword and the blank that follows it, without trailing blanks:
    // a name or a path, which may hold blanks.
    std::string_view rest() const { return rest_; }
    // The bytes after the current line.
    std::size_t bytesLeft() const;

private:
    std::string_view text_;
    base::TextLines lines_;
    std::string_view keyword_;
    std::string_view rest_;
    bool held_ = false;
};

}  // namespace models

#endif
