// Object-file values written big-endian, and the chunks and sub-chunks that hold them, each
// padded to an even length. A length that its field cannot hold (four bytes for a chunk, two
// for a sub-chunk) gives nothing rather than a length that wraps.
#ifndef PELORIX3_MODELS_LWO_ENCODING_H
#define PELORIX3_MODELS_LWO_ENCODING_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace models {

void appendU2(std::string& bytes, std::uint16_t value);
void appendU4(std::string& bytes, std::uint32_t value);
void appendF4(std::string& bytes, float value);
// The text, a zero byte, and one more when that makes an odd length. The text holds no zero
// byte.
void appendS0(std::string& bytes, std::string_view text);

// Tag, length, data and pad: a chunk (four-byte length) or a sub-chunk (two bytes).
std::optional<std::string> chunk(std::string_view tag, std::string_view data);
std::optional<std::string> subChunk(std::string_view tag, std::string_view data);

}  // namespace models

#endif
