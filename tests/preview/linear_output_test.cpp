// The preview's linear light: an OpenEXR file keeps the render's scene values, a floor lit
// beyond white included, where the 8-bit PNG clips them; a 16-bit PNG is made from the
// same values; every PNG says what its values are.
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfInputFile.h>
#include <OpenEXR/ImfStandardAttributes.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "png_reader.h"
#include "preview_fixture.h"
#include "tools/preview/map_image.h"

namespace {

using LinearOutput = PreviewTest;

// A small render under a key light strong enough to light the floor beyond white.
std::vector<std::string> strongKey(const std::string& output, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments{"--key-intensity", "4", "--width", "96",  "--height", "72",
                                       "--samples",       "1", "-o",      output};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// The file's R, G and B, read with the library, as floats.
std::vector<float> readExr(const std::string& path, int& width, int& height) {
    Imf::InputFile file(path.c_str());
    const Imath::Box2i window = file.header().dataWindow();
    width = window.max.x - window.min.x + 1;
    height = window.max.y - window.min.y + 1;
    std::vector<float> rgb(3 * static_cast<std::size_t>(width) * height);
    Imf::FrameBuffer frame;
    const std::size_t pixel = 3 * sizeof(float);
    for (int c = 0; c < 3; ++c) {
        frame.insert(
            std::string(1, "RGB"[c]),
            Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(rgb.data() + c), pixel, pixel * width));
    }
    file.setFrameBuffer(frame);
    file.readPixels(window.min.y, window.max.y);
    return rgb;
}

TEST_F(LinearOutput, ExrKeepsTheFloorBeyondWhiteAndTheSubjectAsTheModuleShadedIt) {
    ASSERT_EQ(run(strongKey("lit.exr")).exitCode, 0);
    ASSERT_EQ(run(strongKey("lit.png")).exitCode, 0);
    // The subject's pixels are those that a shader parameter changes.
    ASSERT_EQ(run(strongKey("thin.png", {"--density", "0"})).exitCode, 0);
    int width = 0, height = 0;
    const std::vector<float> linear = readExr(file("lit.exr").string(), width, height);
    const auto png = readPng(file("lit.png").string());
    const auto thin = readPng(file("thin.png").string());
    ASSERT_TRUE(png && thin);
    ASSERT_EQ(width, png->width);
    ASSERT_EQ(height, png->height);
    float brightestFloor = 0.0f;
    float brightestSubject = 0.0f;
    for (std::size_t i = 0; i < linear.size(); ++i) {
        const bool subject = png->rgb[i / 3 * 3] != thin->rgb[i / 3 * 3] ||
                             png->rgb[i / 3 * 3 + 1] != thin->rgb[i / 3 * 3 + 1] ||
                             png->rgb[i / 3 * 3 + 2] != thin->rgb[i / 3 * 3 + 2];
        (subject ? brightestSubject : brightestFloor) =
            std::max(subject ? brightestSubject : brightestFloor, linear[i]);
        // The PNG is the same value clipped and rounded to 8 bits; half floats round it to
        // within 1/16 of an 8-bit step.
        const double clipped = std::clamp(double(linear[i]), 0.0, 1.0) * 255.0;
        ASSERT_NEAR(png->rgb[i], clipped, 0.5 + 1.0 / 16) << "value " << i;
    }
    EXPECT_GT(brightestFloor, 1.5f);    // clipped to 255 in the PNG
    EXPECT_GT(brightestSubject, 0.2f);  // the subject is there, lit,
    EXPECT_LE(brightestSubject, 1.0f);  // and as the module clamps its colour
}

// A little-endian number of `bytes` bytes at `at` of the file.
std::uint64_t littleEndian(const std::string& file, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(file.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

// Where the header's attributes end: after the magic number and version, each attribute
// is a name, a type name (both ending in a zero byte), a 4-byte size and its value; an
// empty name ends the header.
std::size_t headerEnd(const std::string& file) {
    std::size_t at = 8;
    while (file.at(at) != '\0') {
        at = file.find('\0', at) + 1;         // the name
        at = file.find('\0', at) + 1;         // the type
        at += 4 + littleEndian(file, at, 4);  // the size and the value
    }
    return at + 1;
}

// The file holds its header, the table of chunk offsets and the chunks, and nothing
// after the last chunk: each chunk is its first line's number, its size and its bytes.
TEST_F(LinearOutput, ExrFileEndsWhereItsLastChunkEnds) {
    ASSERT_EQ(run(strongKey("lit.exr")).exitCode, 0);
    const std::string exr = readFile(file("lit.exr"));
    ASSERT_EQ(littleEndian(exr, 0, 4), 20000630u);  // the OpenEXR magic number
    const std::size_t table = headerEnd(exr);
    const std::uint64_t firstChunk = littleEndian(exr, table, 8);
    ASSERT_GT(firstChunk, table);
    const std::size_t chunks = (firstChunk - table) / 8;
    EXPECT_EQ(chunks, 5u);  // 72 lines, 16 to a zip-compressed chunk
    std::uint64_t end = 0;
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::uint64_t offset = littleEndian(exr, table + 8 * c, 8);
        end = std::max(end, offset + 8 + littleEndian(exr, offset + 4, 4));
    }
    EXPECT_EQ(exr.size(), end);
}

// The values are the renderer's display colours: the file names the sRGB primaries and
// white point.
TEST_F(LinearOutput, ExrNamesTheSrgbPrimaries) {
    ASSERT_EQ(run(strongKey("lit.exr")).exitCode, 0);
    const Imf::InputFile exr(file("lit.exr").c_str());
    ASSERT_TRUE(Imf::hasChromaticities(exr.header()));
    const Imf::Chromaticities named = Imf::chromaticities(exr.header());
    const Imf::Chromaticities srgb;  // Rec. 709 primaries, D65 white
    EXPECT_EQ(named.red, srgb.red);
    EXPECT_EQ(named.green, srgb.green);
    EXPECT_EQ(named.blue, srgb.blue);
    EXPECT_EQ(named.white, srgb.white);
}

TEST_F(LinearOutput, SixteenBitPngIsMadeFromTheLinearValues) {
    ASSERT_EQ(run(strongKey("lit.exr")).exitCode, 0);
    ASSERT_EQ(run(strongKey("deep.png", {"--bit-depth", "16"})).exitCode, 0);
    int width = 0, height = 0;
    const std::vector<float> linear = readExr(file("lit.exr").string(), width, height);
    const auto deep = preview::decodeMapImage(readFile(file("deep.png")), "deep.png");
    ASSERT_TRUE(deep) << deep.error();
    ASSERT_EQ(deep->width(), width);
    int finerThan8Bits = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Texel centres, in the map's coordinates (v from the bottom).
            const base::Triple value = deep->colorAt((x + 0.5) / width, 1.0 - (y + 0.5) / height);
            for (int c = 0; c < 3; ++c) {
                const double expected = std::clamp(
                    double(linear[3 * (static_cast<std::size_t>(y) * width + x) + c]), 0.0, 1.0);
                ASSERT_NEAR(value[c], expected, 1e-3);
                const double level = value[c] * 65535.0;
                finerThan8Bits += std::abs(level / 257.0 - std::round(level / 257.0)) > 0.01;
            }
        }
    }
    EXPECT_GT(finerThan8Bits, width * height);  // not 8-bit values widened
}

// The renderer's colour values are what its display shows: every PNG says so (sRGB), the
// 16-bit render, made from the same values, too.
TEST_F(LinearOutput, PngsSayTheyHoldDisplayColours) {
    ASSERT_EQ(run({"--width", "32", "--height", "24", "--samples", "1", "-o", "render.png",
                   "--panel", "panel.png"})
                  .exitCode,
              0);
    ASSERT_EQ(run({"--width", "32", "--height", "24", "--samples", "1", "--bit-depth", "16", "-o",
                   "deep.png"})
                  .exitCode,
              0);
    for (const char* name : {"render.png", "panel.png", "deep.png"}) {
        const auto chunks = readColourChunks(file(name).string());
        ASSERT_TRUE(chunks) << name;
        EXPECT_TRUE(chunks->sRGB) << name;
    }
}

}  // namespace
