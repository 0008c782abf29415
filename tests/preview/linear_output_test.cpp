// The preview's linear light: an OpenEXR file keeps the render's scene values, a floor lit
// beyond white included, where the 8-bit PNG clips them; a 16-bit PNG is made from the
// same values; every PNG says what its values are.
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfInputFile.h>

#include <algorithm>
#include <cmath>

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
