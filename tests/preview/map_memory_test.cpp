// Maps held in the size their pictures need (one byte a component for 8 bits or fewer, two
// for 16; one component for grey, three for colour), each file decoded once, and a map
// that would take the maps past their bound refused from its header, naming the file, the
// input and the bound.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/preview/map_image.h"
#include "tools/preview/map_library.h"

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t count) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), count);
}

// A PNG of `width` x `height` of one colour type and depth, every row the bytes `row`.
std::string pngOf(int colourType, int depth, int width, int height,
                  const std::vector<unsigned char>& row) {
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &bytes, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), depth, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[2] = {{10, 20, 30}, {200, 100, 50}};
        png_set_PLTE(png, info, palette, 2);
    }
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

struct Picture {
    const char* name;
    int colourType;
    int depth;
    std::vector<unsigned char> row;  // of 8 pixels
    std::size_t bytesPerTexel;
    double red;  // of the first texel
};

const Picture kPictures[] = {
    {"GreyOfOneBit", PNG_COLOR_TYPE_GRAY, 1, {0x80}, 1, 1.0},
    {"GreyOf8Bits", PNG_COLOR_TYPE_GRAY, 8, {51, 0, 0, 0, 0, 0, 0, 0}, 1, 0.2},
    {"GreyWithAlpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, std::vector<unsigned char>(16, 102), 1, 0.4},
    {"GreyOf16Bits",
     PNG_COLOR_TYPE_GRAY,
     16,
     {0x12, 0x34, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     2,
     0x1234 / 65535.0},
    {"PaletteOf4Bits", PNG_COLOR_TYPE_PALETTE, 4, {0x10, 0, 0, 0}, 3, 200 / 255.0},
    {"ColourOf8Bits", PNG_COLOR_TYPE_RGB, 8, std::vector<unsigned char>(24, 255), 3, 1.0},
    {"ColourWithAlphaOf16Bits", PNG_COLOR_TYPE_RGB_ALPHA, 16, std::vector<unsigned char>(64, 0x80),
     6, 0x8080 / 65535.0},
};

class MapStorage : public ::testing::TestWithParam<Picture> {};

TEST_P(MapStorage, TakesWhatItsPictureNeeds) {
    const Picture& picture = GetParam();
    const auto map = preview::decodeMapImage(
        pngOf(picture.colourType, picture.depth, 8, 4, picture.row), "m.png");
    ASSERT_TRUE(map) << map.error();
    EXPECT_EQ(map->bytes(), 8 * 4 * picture.bytesPerTexel);
    // The first texel's centre, in the top row.
    EXPECT_NEAR(map->colorAt(1.0 / 16, 7.0 / 8)[0], picture.red, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(MapMemory, MapStorage, ::testing::ValuesIn(kPictures),
                         [](const auto& info) { return std::string(info.param.name); });

class MapLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("pelorix3-map-library-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::filesystem::path folder_;
};

TEST_F(MapLibraryTest, ReadsEachFileOnceAndRefusesAMapPastItsBoundFromItsHeader) {
    // 64 x 64: colour of 8 bits 12,288 bytes, grey 4,096, colour of 16 bits 24,576.
    const std::string colour =
        write("colour.png", pngOf(PNG_COLOR_TYPE_RGB, 8, 64, 64, std::vector<unsigned char>(192)));
    const std::string grey =
        write("grey.png", pngOf(PNG_COLOR_TYPE_GRAY, 8, 64, 64, std::vector<unsigned char>(64)));
    const std::string deep =
        write("deep.png", pngOf(PNG_COLOR_TYPE_RGB, 16, 64, 64, std::vector<unsigned char>(384)));
    preview::MapLibrary library(40'000);
    const auto first = library.map(colour, render::SurfaceInput::Color);
    const auto grey1 = library.map(grey, render::SurfaceInput::Luminous);
    const auto again = library.map(colour, render::SurfaceInput::Diffuse);
    ASSERT_TRUE(first && grey1 && again);
    EXPECT_EQ(first.value(), again.value());  // shared, not decoded twice
    EXPECT_EQ(library.bytesHeld(), 12'288u + 4'096u);
    const auto refused = library.map(deep, render::SurfaceInput::Roughness);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(),
              "cannot use " + deep +
                  " as the roughness map: its 64 x 64 colour picture of 16 bits a component "
                  "takes 24 KiB, and the maps of one run may take 39.1 KiB in all (16 KiB "
                  "taken by the maps read before it)");
    EXPECT_EQ(library.bytesHeld(), 12'288u + 4'096u);
    // Sizes of a MiB and more are given in MiB.
    const std::string wide = write(
        "wide.png", pngOf(PNG_COLOR_TYPE_RGB, 8, 1024, 512, std::vector<unsigned char>(3072)));
    const auto tooWide = preview::MapLibrary(1 << 20).map(wide, render::SurfaceInput::Color);
    ASSERT_FALSE(tooWide);
    EXPECT_EQ(tooWide.error(), "cannot use " + wide +
                                   " as the color map: its 1024 x 512 colour picture of 8 bits "
                                   "a component takes 1.5 MiB, and the maps of one run may take "
                                   "1 MiB in all");
    // The default bound holds five colour maps of the largest size, 8 bits a component.
    EXPECT_GE(preview::kMapMemoryBound, 5 * std::size_t{8192} * 8192 * 3);
    EXPECT_LT(preview::kMapMemoryBound,
              2 * std::size_t{8192} * 8192 * 6 + 3 * std::size_t{8192} * 8192 * 3);
}

}  // namespace
