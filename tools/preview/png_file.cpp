#include "tools/preview/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "tools/preview/atomic_write.h"

namespace preview {
namespace {

// libpng reports errors by jumping back here, so this function holds nothing that needs
// destroying; the rows are prepared by the caller.
bool encode(std::FILE* file, const standin::Image& image, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::vector<png_bytep> rowsOf(const standin::Image& image) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    auto* pixels = const_cast<png_bytep>(image.rgb.data());
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = pixels + 3 * y * static_cast<std::size_t>(image.width);
    }
    return rows;
}

}  // namespace

standin::Status writePng(const standin::Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != 3 * static_cast<std::size_t>(image.width) * image.height) {
        return standin::Status::failure("cannot write " + outputName(path) +
                                        ": the picture is empty");
    }
    std::vector<png_bytep> rows = rowsOf(image);
    return writeAtomically(path, [&](std::FILE* stream) {
        if (!encode(stream, image, rows.data())) {
            return standin::Status::failure("cannot write " + outputName(path) +
                                            ": encoding the PNG failed");
        }
        return standin::succeeded();
    });
}

}  // namespace preview
