#include "framework/value_stream.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "base/number_text.h"
#include "framework/bit_cast.h"

namespace pelorix3 {

namespace {

// The host's text read delivers at most this many bytes into the buffer.
constexpr int textReadLength = 50;

bool isTextMode(int ioMode) { return ioMode != HOST_IO_BINARY; }

std::uint32_t singleBits(double value) { return bitCast<std::uint32_t>(toSingle(value)); }

const char* skipSpace(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' ||
           *text == '\v')
        ++text;
    return text;
}

// A number beyond the double range: zero when its magnitude is tiny, else infinity, with
// the sign of the text, as the C library's conversion gives it. Within the text read's 50
// bytes only an exponent can leave the range, so its sign decides.
double outOfRange(const char* begin, const char* end) {
    const bool negative = *begin == '-';
    const char* exponent = std::find_if(begin, end, [](char c) { return c == 'e' || c == 'E'; });
    const bool tiny = exponent != end && exponent + 1 != end && exponent[1] == '-';
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
}

std::optional<double> parseNumber(const char* text) {
    text = skipSpace(text);
    // One sign at most: after a plus, a minus cannot continue the number.
    if (*text == '+' && *++text == '-') return std::nullopt;
    double value = 0.0;
    const char* end = text + std::strlen(text);
    const auto result = base::number_text::parse(text, end, value);
    if (result.ec == std::errc::result_out_of_range) return outOfRange(text, result.ptr);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

std::optional<double> readText(const LoadState* state) {
    char buffer[storedTextBufferSize] = {};
    const int delivered = state->read(state->readData, buffer, textReadLength);
    if (delivered < 0) return std::nullopt;
    buffer[std::min(delivered, textReadLength)] = '\0';
    return parseNumber(buffer);
}

std::optional<double> readBinary(const LoadState* state) {
    unsigned char bytes[4] = {};
    const int delivered = state->read(state->readData, reinterpret_cast<char*>(bytes), 4);
    if (delivered < 4) return std::nullopt;
    const std::uint32_t bits = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                               (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
    return static_cast<double>(bitCast<float>(bits));
}

}  // namespace

float toSingle(double value) {
    constexpr double maxFloat = std::numeric_limits<float>::max();
    // Half a unit in the last place above the largest float: from here on, rounding to
    // nearest gives infinity (the tie goes to infinity, the even neighbour).
    constexpr double overflowBound = maxFloat + 0x1p103;
    if (std::isfinite(value) && std::fabs(value) > maxFloat) {
        const float magnitude = std::fabs(value) >= overflowBound
                                    ? std::numeric_limits<float>::infinity()
                                    : std::numeric_limits<float>::max();
        return value < 0 ? -magnitude : magnitude;
    }
    return static_cast<float>(value);
}

int formatStoredText(double value, char* buffer, int size) {
    if (std::isnan(value)) {
        std::memcpy(buffer, "nan", 4);
        return 3;
    }
    char* end = buffer + size - 1;
    auto result = base::number_text::fixed(buffer, end, value, 6);
    if (result.ec != std::errc()) result = base::number_text::scientific(buffer, end, value);
    *result.ptr = '\0';
    return static_cast<int>(result.ptr - buffer);
}

void writeStoredValue(const SaveState* state, double value) {
    if (state == nullptr || state->write == nullptr) return;
    if (isTextMode(state->ioMode)) {
        char text[storedTextBufferSize];
        text[0] = ' ';
        const int length = formatStoredText(value, text + 1, storedTextBufferSize - 1);
        state->write(state->writeData, text, length + 2);
        return;
    }
    const std::uint32_t bits = singleBits(value);
    const char bytes[4] = {static_cast<char>(bits >> 24), static_cast<char>(bits >> 16),
                           static_cast<char>(bits >> 8), static_cast<char>(bits)};
    state->write(state->writeData, bytes, 4);
}

std::optional<double> readValue(const LoadState* state) {
    if (state == nullptr || state->read == nullptr) return std::nullopt;
    return isTextMode(state->ioMode) ? readText(state) : readBinary(state);
}

}  // namespace pelorix3
