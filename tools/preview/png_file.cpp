#include "tools/preview/png_file.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/preview/atomic_write.h"

namespace preview {
namespace {

// The header of one picture: its size, its colour type and its bits a component.
struct PngHeader {
    int width;
    int height;
    int colorType;
    int bitDepth;
};

// A colour picture holds display colours (the sRGB chunk); a grey map holds an input's own
// values and says nothing of gamma or colour.
void describeContent(png_structp png, png_infop info, const PngHeader& header) {
    if (header.colorType == PNG_COLOR_TYPE_GRAY) return;
    png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
}

// libpng reports errors by jumping back here, so this function holds nothing that needs
// destroying; the rows are prepared by the caller.
bool encode(std::FILE* file, const PngHeader& header, png_bytep* rows) {
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
    png_set_IHDR(png, info, static_cast<png_uint_32>(header.width),
                 static_cast<png_uint_32>(header.height), header.bitDepth, header.colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    describeContent(png, info, header);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::vector<png_bytep> rowsOf(unsigned char* pixels, int width, int height, int bytesPerPixel) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    const std::size_t rowBytes = static_cast<std::size_t>(bytesPerPixel) * width;
    for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = pixels + rowBytes * y;
    return rows;
}

// 16-bit samples as PNG stores them: big-endian.
std::vector<unsigned char> sixteenBitSamples(const render::LinearImage& image) {
    std::vector<unsigned char> samples(2 * image.rgb.size());
    for (std::size_t i = 0; i < image.rgb.size(); ++i) {
        const float value = std::isnan(image.rgb[i]) ? 0.0f : image.rgb[i];
        const auto level =
            static_cast<unsigned>(std::lround(std::clamp(value, 0.0f, 1.0f) * 65535.0));
        samples[2 * i] = static_cast<unsigned char>(level >> 8);
        samples[2 * i + 1] = static_cast<unsigned char>(level & 0xFF);
    }
    return samples;
}

base::Status writeRows(const std::string& path, const PngHeader& header, png_bytep* rows) {
    return writeAtomically(path, [&](std::FILE* stream) {
        if (!encode(stream, header, rows)) {
            return base::Status::failure("cannot write " + outputName(path) +
                                         ": encoding the PNG failed");
        }
        return base::succeeded();
    });
}

base::Status emptyPicture(const std::string& path) {
    return base::Status::failure("cannot write " + outputName(path) + ": the picture is empty");
}

bool holdsPixels(int width, int height, std::size_t values) {
    return width > 0 && height > 0 && values == 3 * static_cast<std::size_t>(width) * height;
}

}  // namespace

base::Status writePng(const render::Image& image, const std::string& path) {
    if (!holdsPixels(image.width, image.height, image.rgb.size())) return emptyPicture(path);
    std::vector<png_bytep> rows =
        rowsOf(const_cast<unsigned char*>(image.rgb.data()), image.width, image.height, 3);
    return writeRows(path, {image.width, image.height, PNG_COLOR_TYPE_RGB, 8}, rows.data());
}

base::Status writePng16(const render::LinearImage& image, const std::string& path) {
    if (!holdsPixels(image.width, image.height, image.rgb.size())) return emptyPicture(path);
    std::vector<unsigned char> samples = sixteenBitSamples(image);
    std::vector<png_bytep> rows = rowsOf(samples.data(), image.width, image.height, 6);
    return writeRows(path, {image.width, image.height, PNG_COLOR_TYPE_RGB, 16}, rows.data());
}

base::Status writeGreyPng(int width, int height, const std::vector<unsigned char>& grey,
                          const std::string& path) {
    if (width <= 0 || height <= 0 || grey.size() != static_cast<std::size_t>(width) * height) {
        return emptyPicture(path);
    }
    std::vector<png_bytep> rows = rowsOf(const_cast<unsigned char*>(grey.data()), width, height, 1);
    return writeRows(path, {width, height, PNG_COLOR_TYPE_GRAY, 8}, rows.data());
}

}  // namespace preview
