// Pieces of messages about a file's contents. An excerpt of the text is cut short, and
// every byte of it that is not printable ASCII is written as an escape, so that a damaged
// file can neither flood a terminal nor send it control sequences.
#ifndef PELORIX3_BASE_MESSAGE_TEXT_H
#define PELORIX3_BASE_MESSAGE_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

inline constexpr std::size_t kExcerptLength = 40;

// The text with every byte that is not printable ASCII, and every quote and backslash,
// written as an escape: one line of plain text, whatever the text held.
std::string escaped(std::string_view text);

// The text escaped, or its first 40 bytes escaped and "..." when it is longer.
std::string excerpt(std::string_view text);

// The same in quotes: `"text"`, or `"the first 40 bytes"...`.
std::string quotedExcerpt(std::string_view text);

// "1 triangle", "2 triangles": the count and the words that agree with it.
std::string counted(std::size_t count, std::string_view one, std::string_view many);

// The texts in their order, separated by ", ": the list a message names.
template <class Texts>
std::string listed(const Texts& texts) {
    std::string list;
    for (const auto& text : texts) list += (list.empty() ? "" : ", ") + std::string(text);
    return list;
}

}  // namespace base

#endif
