#include "tools/preview/map_image.h"

#include <png.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace preview {
namespace {

using MapResult = base::Result<render::TextureMap>;

// What libpng reads from, and what it found: the picture's stored components, row by
// row, once the transforms below have made each texel one grey or three colour
// components, in the map's own storage (16-bit components in the machine's byte order).
struct Decoding {
    Decoding(const std::string& source, const MapAdmission& admission)
        : bytes(source), admit(admission) {}

    const std::string& bytes;
    const MapAdmission& admit;
    std::size_t read = 0;
    std::string error;
    std::string refusal;  // the admission's
    MapShape shape;
    std::vector<std::uint8_t> narrow;
    std::vector<std::uint16_t> wide;
    std::vector<png_bytep> rows;  // into narrow or wide
};

void readBytes(png_structp png, png_bytep into, png_size_t count) {
    auto* decoding = static_cast<Decoding*>(png_get_io_ptr(png));
    if (count > decoding->bytes.size() - decoding->read) png_error(png, "the file ends early");
    std::memcpy(into, decoding->bytes.data() + decoding->read, count);
    decoding->read += count;
}

void keepError(png_structp png, png_const_charp message) {
    static_cast<Decoding*>(png_get_error_ptr(png))->error = message ? message : "";
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Every texel becomes one grey component or three colour components of 8 or 16 bits: a
// palette is expanded, fewer bits are widened to 8, transparency and alpha are dropped.
void normalise(png_structp png, png_infop info) {
    png_set_expand(png);
    png_set_strip_alpha(png);
    if (std::endian::native == std::endian::little) png_set_swap(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Room for the components, and the rows pointing into it.
void makeRoom(Decoding& decoding) {
    const MapShape& shape = decoding.shape;
    const std::size_t rowComponents =
        static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.channels);
    const auto height = static_cast<std::size_t>(shape.height);
    png_bytep start = nullptr;
    if (shape.componentBits == 16) {
        decoding.wide.resize(rowComponents * height);
        start = reinterpret_cast<png_bytep>(decoding.wide.data());
    } else {
        decoding.narrow.resize(rowComponents * height);
        start = decoding.narrow.data();
    }
    const std::size_t rowBytes = rowComponents * static_cast<std::size_t>(shape.componentBits / 8);
    decoding.rows.resize(height);
    for (std::size_t y = 0; y < height; ++y) decoding.rows[y] = start + y * rowBytes;
}

// libpng reports errors by jumping back here, so this function holds nothing that needs
// destroying; what it fills lives in `decoding`.
bool decode(png_structp png, png_infop info, Decoding& decoding) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &decoding, readBytes);
    png_set_user_limits(png, kMaxMapSide, kMaxMapSide);
    png_read_info(png, info);
    normalise(png, info);
    decoding.shape = {static_cast<int>(png_get_image_width(png, info)),
                      static_cast<int>(png_get_image_height(png, info)),
                      png_get_channels(png, info), png_get_bit_depth(png, info)};
    if (decoding.admit) {
        if (const base::Status admitted = decoding.admit(decoding.shape); !admitted) {
            decoding.refusal = admitted.error();
            return false;
        }
    }
    makeRoom(decoding);
    png_read_image(png, decoding.rows.data());
    return true;
}

std::optional<render::TextureMap> mapOf(Decoding& decoding) {
    const MapShape& shape = decoding.shape;
    if (shape.componentBits == 16) {
        return render::TextureMap::createFrom16Bit(shape.width, shape.height, shape.channels,
                                                   std::move(decoding.wide));
    }
    return render::TextureMap::createFrom8Bit(shape.width, shape.height, shape.channels,
                                              std::move(decoding.narrow));
}

}  // namespace

std::size_t MapShape::bytes() const {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
           static_cast<std::size_t>(channels) * static_cast<std::size_t>(componentBits / 8);
}

MapResult decodeMapImage(const std::string& bytes, const std::string& name,
                         const MapAdmission& admit) {
    const std::string notPng = "cannot use " + name + " as a map: ";
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8)) {
        return MapResult::failure(notPng + "it is not a PNG picture");
    }
    Decoding decoding(bytes, admit);
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &decoding, keepError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return MapResult::failure(notPng + "out of memory");
    }
    const bool decoded = decode(png, info, decoding);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoding.refusal.empty()) return MapResult::failure(decoding.refusal);
    if (!decoded) {
        return MapResult::failure(notPng + "the PNG cannot be read (" + decoding.error +
                                  "; a map may have at most " + std::to_string(kMaxMapSide) +
                                  " pixels a side)");
    }
    std::optional<render::TextureMap> map = mapOf(decoding);
    if (!map) return MapResult::failure(notPng + "its pixels are neither grey nor colour");
    return MapResult::success(std::move(*map));
}

}  // namespace preview
