// The words of an OBJ model's lines: numbers, each read whole, and the references a face
// corner makes ("v", "v/vt", "v//vn" or "v/vt/vn").
#ifndef PELORIX3_MODELS_OBJ_WORDS_H
#define PELORIX3_MODELS_OBJ_WORDS_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace models {

// A decimal number and nothing else but an optional sign before it; nothing when the word
// is anything else. A number too large for a double reads as an infinity, one too small
// as zero; "nan" and "inf" read as what they say, for the caller to refuse.
std::optional<double> readReal(std::string_view word);

// A whole number and nothing else but an optional sign before it. One beyond 64 bits reads
// as the largest (or, negative, the smallest) 64-bit value, which refers to nothing.
std::optional<std::int64_t> readIndex(std::string_view word);

// The three references of a face corner; texture and normal are empty where the corner
// gives none. Nothing when the word has more than two slashes or no vertex.
struct CornerWords {
    std::string_view vertex;
    std::string_view texture;
    std::string_view normal;
};
std::optional<CornerWords> splitCorner(std::string_view word);

}  // namespace models

#endif
