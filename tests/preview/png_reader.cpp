#include "png_reader.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// Runs `read` on libpng's structures for the file at `path`. libpng jumps back here on
// errors, so `read` must hold nothing that needs destroying while libpng may still fail.
template <class Read>
bool readPngFile(const std::string& path, Read read) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool decoded = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        decoded = read(png, info);
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::fclose(file);
    return decoded;
}

}  // namespace

std::optional<render::Image> readPng(const std::string& path) {
    render::Image image;
    const bool rgb8 = readPngFile(path, [&image](png_structp png, png_infop info) {
        png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB ||
            png_get_bit_depth(png, info) != 8) {
            return false;
        }
        image.width = static_cast<int>(png_get_image_width(png, info));
        image.height = static_cast<int>(png_get_image_height(png, info));
        image.rgb.resize(3 * static_cast<std::size_t>(image.width) * image.height);
        png_bytepp rows = png_get_rows(png, info);
        for (int y = 0; y < image.height; ++y) {
            std::copy(rows[y], rows[y] + 3 * image.width,
                      image.rgb.begin() + 3 * static_cast<std::ptrdiff_t>(y) * image.width);
        }
        return true;
    });
    if (!rgb8) return std::nullopt;
    return image;
}

std::optional<PngColourChunks> readColourChunks(const std::string& path) {
    PngColourChunks chunks;
    const bool read = readPngFile(path, [&chunks](png_structp png, png_infop info) {
        png_read_info(png, info);
        chunks.sRGB = png_get_valid(png, info, PNG_INFO_sRGB) != 0;
        png_fixed_point gamma = 0;
        if (png_get_gAMA_fixed(png, info, &gamma)) chunks.gamma = gamma;
        return true;
    });
    if (!read) return std::nullopt;
    return chunks;
}
