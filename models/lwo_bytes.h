// Big-endian values read from a span of an object file's bytes. Each read first checks
// that the value fits in what is left of the span: one that does not fit reads nothing
// and gives nothing, so that no length or count in a file can lead a read past its end.
#ifndef PELORIX3_MODELS_LWO_BYTES_H
#define PELORIX3_MODELS_LWO_BYTES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace models {

class LwoBytes {
public:
    // `bytes` starts at byte `offset` of the file.
    LwoBytes(std::string_view bytes, std::size_t offset) : bytes_(bytes), offset_(offset) {}

    std::size_t left() const { return bytes_.size() - position_; }
    bool atEnd() const { return position_ == bytes_.size(); }
    // Where the next byte lies in the file.
    std::size_t offset() const { return offset_ + position_; }

    std::optional<std::uint16_t> u2() {
        if (left() < 2) return std::nullopt;
        const unsigned char* p = here();
        position_ += 2;
        return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    }

    std::optional<std::uint32_t> u4() {
        if (left() < 4) return std::nullopt;
        const unsigned char* p = here();
        position_ += 4;
        return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
               std::uint32_t{p[3]};
    }

    std::optional<std::int16_t> i2() {
        const std::optional<std::uint16_t> bits = u2();
        if (!bits) return std::nullopt;
        return static_cast<std::int16_t>(*bits);
    }

    std::optional<float> f4() {
        const std::optional<std::uint32_t> bits = u4();
        if (!bits) return std::nullopt;
        float value;
        std::memcpy(&value, &*bits, sizeof value);
        return value;
    }

    // Four bytes, as a tag.
    std::optional<std::string_view> id4() {
        if (left() < 4) return std::nullopt;
        const std::string_view tag = bytes_.substr(position_, 4);
        position_ += 4;
        return tag;
    }

    // A point or polygon number: two bytes, or four when the first is 0xFF, of which the
    // low 24 bits count.
    std::optional<std::uint32_t> vx() {
        if (left() >= 1 && *here() == 0xFF) {
            const std::optional<std::uint32_t> wide = u4();
            if (!wide) return std::nullopt;
            return *wide & 0xFFFFFFu;
        }
        return u2();
    }

    // A string ending with a zero byte (not part of it), padded to an even length; nothing
    // when no zero byte comes before the end. A missing pad byte at the very end is
    // forgiven.
    std::optional<std::string_view> s0() {
        const std::string_view rest = bytes_.substr(position_);
        const std::size_t zero = rest.find('\0');
        if (zero == std::string_view::npos) return std::nullopt;
        const std::size_t taken = zero + 1;
        position_ += taken + (taken % 2 == 1 && taken < rest.size() ? 1 : 0);
        return rest.substr(0, zero);
    }

    // The next `count` bytes as a span of their own.
    std::optional<LwoBytes> span(std::size_t count) {
        if (left() < count) return std::nullopt;
        const LwoBytes taken(bytes_.substr(position_, count), offset());
        position_ += count;
        return taken;
    }

    bool skip(std::size_t count) {
        if (left() < count) return false;
        position_ += count;
        return true;
    }

private:
    const unsigned char* here() const {
        return reinterpret_cast<const unsigned char*>(bytes_.data()) + position_;
    }

    std::string_view bytes_;
    std::size_t offset_;
    std::size_t position_ = 0;
};

}  // namespace models

#endif
