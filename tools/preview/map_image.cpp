#include "tools/preview/map_image.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace preview {
namespace {

using MapResult = standin::Result<standin::TextureMap>;

// What libpng reads from, and what it found: the picture's stored samples, row by row,
// once the transforms below have made each texel one grey or three colour samples.
struct Decoding {
    explicit Decoding(const std::string& source) : bytes(source) {}

    const std::string& bytes;
    std::size_t read = 0;
    std::string error;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int channels = 0;
    int bitDepth = 0;
    std::vector<unsigned char> samples;
    std::vector<png_bytep> rows;  // into samples
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

// Every texel becomes one grey sample or three colour samples of 8 or 16 bits: a palette
// is expanded, fewer bits are widened to 8, transparency and alpha are dropped.
void normalise(png_structp png, png_infop info) {
    png_set_expand(png);
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// libpng reports errors by jumping back here, so this function holds nothing that needs
// destroying; what it fills lives in `decoding`.
bool decode(png_structp png, png_infop info, Decoding& decoding) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &decoding, readBytes);
    png_set_user_limits(png, kMaxMapSide, kMaxMapSide);
    png_read_info(png, info);
    normalise(png, info);
    decoding.width = png_get_image_width(png, info);
    decoding.height = png_get_image_height(png, info);
    decoding.channels = png_get_channels(png, info);
    decoding.bitDepth = png_get_bit_depth(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    decoding.samples.resize(rowBytes * decoding.height);
    decoding.rows.resize(decoding.height);
    for (png_uint_32 y = 0; y < decoding.height; ++y) {
        decoding.rows[y] = &decoding.samples[y * rowBytes];
    }
    png_read_image(png, decoding.rows.data());
    return true;
}

std::vector<float> valuesOf(const Decoding& decoding) {
    const bool wide = decoding.bitDepth == 16;
    const std::size_t count = decoding.samples.size() / (wide ? 2 : 1);
    std::vector<float> values(count);
    const unsigned char* sample = decoding.samples.data();
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = wide ? static_cast<float>((sample[2 * i] << 8 | sample[2 * i + 1]) / 65535.0)
                         : static_cast<float>(sample[i] / 255.0);
    }
    return values;
}

}  // namespace

MapResult decodeMapImage(const std::string& bytes, const std::string& name) {
    const std::string notPng = "cannot use " + name + " as a map: ";
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8)) {
        return MapResult::failure(notPng + "it is not a PNG picture");
    }
    Decoding decoding(bytes);
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &decoding, keepError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return MapResult::failure(notPng + "out of memory");
    }
    const bool decoded = decode(png, info, decoding);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded) {
        return MapResult::failure(notPng + "the PNG cannot be read (" + decoding.error +
                                  "; a map may have at most " + std::to_string(kMaxMapSide) +
                                  " pixels a side)");
    }
    std::optional<standin::TextureMap> map = standin::TextureMap::create(
        static_cast<int>(decoding.width), static_cast<int>(decoding.height), decoding.channels,
        valuesOf(decoding));
    if (!map) return MapResult::failure(notPng + "its pixels are neither grey nor colour");
    return MapResult::success(std::move(*map));
}

}  // namespace preview
