#include "web/stored_png.h"

#include <algorithm>
#include <cstdint>

#include "web/crc32.h"

namespace studio {
namespace {

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFFu);
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    out += typed;
    appendBigEndian(out, crc32(typed));
}

std::uint32_t adler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<unsigned char>(byte)) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

// A zlib stream of `raw` in stored deflate blocks of at most 65535 bytes each.
std::string storedZlib(const std::string& raw) {
    std::string out("\x78\x01", 2);
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFFu);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFFu);
        out += static_cast<char>((~length >> 8) & 0xFFu);
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    appendBigEndian(out, adler32(raw));
    return out;
}

}  // namespace

std::string storedGreyPng(int width, int height, const std::vector<unsigned char>& grey) {
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x00\x00\x00\x00", 5);  // 8 bits, grey, deflate, no interlace
    std::string rows;
    rows.reserve(static_cast<std::size_t>(height) * (static_cast<std::size_t>(width) + 1));
    for (int y = 0; y < height; ++y) {
        rows += '\0';  // no filter
        const auto first = grey.begin() + static_cast<std::ptrdiff_t>(y) * width;
        rows.append(first, first + width);
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", storedZlib(rows));
    appendChunk(png, "IEND", "");
    return png;
}

}  // namespace studio
