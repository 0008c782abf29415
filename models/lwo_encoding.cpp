#include "models/lwo_encoding.h"

#include <cstring>

namespace models {
namespace {

std::optional<std::string> withLength(std::string_view tag, std::string_view data,
                                      std::uint32_t largest, bool wide) {
    if (data.size() > largest) return std::nullopt;
    std::string bytes(tag);
    const auto length = static_cast<std::uint32_t>(data.size());
    if (wide) {
        appendU4(bytes, length);
    } else {
        appendU2(bytes, static_cast<std::uint16_t>(length));
    }
    bytes += data;
    if (data.size() % 2 == 1) bytes += '\0';
    return bytes;
}

}  // namespace

void appendU2(std::string& bytes, std::uint16_t value) {
    bytes += static_cast<char>(value >> 8);
    bytes += static_cast<char>(value & 0xFF);
}

void appendU4(std::string& bytes, std::uint32_t value) {
    appendU2(bytes, static_cast<std::uint16_t>(value >> 16));
    appendU2(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
}

void appendF4(std::string& bytes, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    appendU4(bytes, bits);
}

void appendS0(std::string& bytes, std::string_view text) {
    bytes += text;
    bytes += '\0';
    if ((text.size() + 1) % 2 == 1) bytes += '\0';
}

std::optional<std::string> chunk(std::string_view tag, std::string_view data) {
    return withLength(tag, data, UINT32_MAX, true);
}

std::optional<std::string> subChunk(std::string_view tag, std::string_view data) {
    return withLength(tag, data, UINT16_MAX, false);
}

}  // namespace models
