#include "png_reader.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// libpng jumps back here on errors; nothing in this function needs destroying.
bool decode(std::FILE* file, standin::Image& image) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    const bool rgb8 =
        png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8;
    if (rgb8) {
        image.width = static_cast<int>(png_get_image_width(png, info));
        image.height = static_cast<int>(png_get_image_height(png, info));
        image.rgb.resize(3 * static_cast<std::size_t>(image.width) * image.height);
        png_bytepp rows = png_get_rows(png, info);
        for (int y = 0; y < image.height; ++y) {
            std::copy(rows[y], rows[y] + 3 * image.width,
                      image.rgb.begin() + 3 * static_cast<std::ptrdiff_t>(y) * image.width);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return rgb8;
}

}  // namespace

std::optional<standin::Image> readPng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    standin::Image image;
    const bool decoded = decode(file, image);
    std::fclose(file);
    if (!decoded) return std::nullopt;
    return image;
}

namespace {

bool readChunks(std::FILE* file, PngColourChunks& chunks) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    chunks.sRGB = png_get_valid(png, info, PNG_INFO_sRGB) != 0;
    png_fixed_point gamma = 0;
    if (png_get_gAMA_fixed(png, info, &gamma)) chunks.gamma = gamma;
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::optional<PngColourChunks> readColourChunks(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    PngColourChunks chunks;
    const bool read = readChunks(file, chunks);
    std::fclose(file);
    if (!read) return std::nullopt;
    return chunks;
}
