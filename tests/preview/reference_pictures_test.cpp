// The tool's pictures held to the committed references in reference/: small renders of a
// few scenes (a turned camera, the sky above the horizon, a model shaded with its crease
// normals), the painted panel, and the frames of the pictures made of renders: a contact
// sheet, a turntable's strip and a comparison.
//
// To remake the references from this build (after a deliberate change to a picture), run
// the suite with PELORIX3_REMAKE_REFERENCES=1:
//
//     PELORIX3_REMAKE_REFERENCES=1 build/native/bin/preview_tests --gtest_filter='Reference*'
//
// Each picture is then written into tests/preview/reference/ and its test is skipped.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "picture_search.h"
#include "png_reader.h"
#include "preview_fixture.h"
#include "tools/preview/png_file.h"

namespace {

const std::filesystem::path kReferences = PREVIEW_REFERENCE_DIR;

bool remaking() {
    const char* remake = std::getenv("PELORIX3_REMAKE_REFERENCES");
    return remake != nullptr && std::string(remake) == "1";
}

// How far a picture may be from its reference: the largest difference of one channel,
// and the sum of the differences as a fraction of the channels. Renders may differ by a
// step where another machine's libm rounds pow() apart; the panel and the sheet's frame
// are drawn in whole pixels and must match exactly.
struct Tolerance {
    int worst;
    double total;
};
constexpr Tolerance kRendered{1, 0.01};
constexpr Tolerance kExact{0, 0.0};

void expectMatches(const render::Image& image, const render::Image& reference,
                   const Tolerance& tolerance) {
    ASSERT_EQ(image.width, reference.width);
    ASSERT_EQ(image.height, reference.height);
    long total = 0;
    int worst = 0;
    for (std::size_t i = 0; i < image.rgb.size(); ++i) {
        const int difference = std::abs(image.rgb[i] - reference.rgb[i]);
        worst = std::max(worst, difference);
        total += difference;
    }
    EXPECT_LE(worst, tolerance.worst);
    EXPECT_LE(total, static_cast<long>(tolerance.total * static_cast<double>(image.rgb.size())));
}

// A pebble of triangles only: a bumpy dome of rings over a flat base. Its corners have
// from 3 to kSegments faces around them, the dome is smooth and the rim of the base is
// sharper than the crease angle.
std::string pebbleObj() {
    constexpr int kSegments = 9;
    constexpr int kRings = 5;
    std::string text = "v 0 1.2 0\n";
    char line[96];
    for (int ring = 1; ring <= kRings; ++ring) {
        const double polar = ring * std::numbers::pi / 2 / kRings;
        for (int s = 0; s < kSegments; ++s) {
            const double azimuth = 2 * std::numbers::pi * s / kSegments;
            const double radius = 1.0 + 0.12 * std::cos(3 * azimuth) * std::sin(polar);
            std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n",
                          radius * std::sin(polar) * std::cos(azimuth), 1.2 * std::cos(polar),
                          radius * std::sin(polar) * std::sin(azimuth));
            text += line;
        }
    }
    const int base = 2 + kRings * kSegments;
    text += "v 0 0 0\n";
    const auto at = [](int ring, int s) { return 2 + (ring - 1) * kSegments + s % kSegments; };
    const auto face = [&text, &line](int a, int b, int c) {
        std::snprintf(line, sizeof line, "f %d %d %d\n", a, b, c);
        text += line;
    };
    for (int s = 0; s < kSegments; ++s) {
        face(1, at(1, s + 1), at(1, s));
        for (int ring = 1; ring < kRings; ++ring) {
            face(at(ring, s), at(ring, s + 1), at(ring + 1, s + 1));
            face(at(ring, s), at(ring + 1, s + 1), at(ring + 1, s));
        }
        face(base, at(kRings, s), at(kRings, s + 1));
    }
    return text;
}

struct ReferencePicture {
    const char* name;  // the reference is reference/<name>.png
    std::vector<std::string> arguments;
    Tolerance tolerance;
};

void PrintTo(const ReferencePicture& picture, std::ostream* out) { *out << picture.name; }

const ReferencePicture kPictures[] = {
    {"default-160x120", {"--width", "160", "--height", "120", "-o", "picture.png"}, kRendered},
    // The camera turned about the cloth: its sideways axis leans with the view.
    {"cloth-turned-64x48",
     {"--width", "64", "--height", "48", "--orbit", "35", "--elevation", "10", "-o", "picture.png"},
     kRendered},
    // Seen from low down, the sky fills the top from the horizon's colour to the zenith's.
    {"sphere-from-below-64x48",
     {"--scene", "sphere", "--width", "64", "--height", "48", "--orbit", "-50", "--elevation",
      "-10", "-o", "picture.png"},
     kRendered},
    {"pebble-crease-normals-64x48",
     {"--mesh", "pebble.obj", "--width", "64", "--height", "48", "--orbit", "20", "--elevation",
      "20", "--zoom", "1.6", "-o", "picture.png"},
     kRendered},
    // Every kind of control, the switches both ways and the sliders part way.
    {"panel-edited",
     {"--panel", "picture.png", "--density", "0.4", "--density-by-luminosity", "on",
      "--specular-color", "1,0.5,0.25"},
     kExact},
};

class ReferencePictures : public PreviewTest,
                          public ::testing::WithParamInterface<ReferencePicture> {};

TEST_P(ReferencePictures, MatchWithinTheirTolerance) {
    const ReferencePicture& picture = GetParam();
    writeFile(file("pebble.obj"), pebbleObj());
    const ToolRun run = this->run(picture.arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::filesystem::path reference = kReferences / (std::string(picture.name) + ".png");
    if (remaking()) {
        std::filesystem::copy_file(file("picture.png"), reference,
                                   std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "remade " << reference;
    }
    const auto image = readPng(file("picture.png").string());
    const auto expected = readPng(reference.string());
    ASSERT_TRUE(image && expected);
    expectMatches(*image, *expected, picture.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Reference, ReferencePictures, ::testing::ValuesIn(kPictures),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// A picture made of renders: the tool's arguments that make it, and the runs that make
// each of its cells alone into cell.png (a cell without arguments is a file the picture's
// run wrote itself).
struct Cell {
    std::vector<std::string> arguments;
    std::string file = "cell.png";
};

struct FramedPicture {
    const char* name;  // the reference is reference/<name>-frame.png
    std::vector<std::string> arguments;
    std::string file;
    std::vector<Cell> cells;
};

void PrintTo(const FramedPicture& picture, std::ostream* out) { *out << picture.name; }

std::vector<std::string> switchCell(std::vector<std::string> settings) {
    std::vector<std::string> arguments{"--samples", "1",   "--width", "160",
                                       "--height",  "120", "-o",      "cell.png"};
    arguments.insert(arguments.end(), settings.begin(), settings.end());
    return arguments;
}

std::vector<std::string> comparedCell(std::vector<std::string> look) {
    std::vector<std::string> arguments{"--samples", "1",  "--width", "41",
                                       "--height",  "30", "-o",      "cell.png"};
    arguments.insert(arguments.end(), look.begin(), look.end());
    return arguments;
}

const FramedPicture kFramedPictures[] = {
    {"switch-sheet",
     {"--samples", "1", "--switch-sheet", "sheet.png"},
     "sheet.png",
     {{switchCell({"--dont-overlap-shadows", "off"})},
      {switchCell({"--dont-overlap-shadows", "on"})},
      {switchCell(
          {"--dont-overlap-shadows", "off", "--density-by-luminosity", "on", "--luminous", "0.5"})},
      {switchCell({"--dont-overlap-shadows", "on", "--density-by-luminosity", "on", "--luminous",
                   "0.5"})}}},
    // Views narrower than the title, as wide as a label of 7 letters: "0 deg" fits, and
    // "120 deg" just does.
    {"turntable-strip",
     {"--samples", "1", "--width", "41", "--height", "30", "--turntable", "3", "-o", "turn-%d.png"},
     "turn-strip.png",
     {{{}, "turn-0.png"}, {{}, "turn-1.png"}, {{}, "turn-2.png"}}},
    // Pictures as wide as a label of 7 letters: a name of 7 letters fits whole, a longer
    // one keeps as much of its end as fits.
    {"comparison",
     {"--samples", "1", "--width", "41", "--height", "30", "--compare",
      "felt,low.txt,a-long-parameter-file.txt", "-o", "compared.png"},
     "compared.png",
     {{comparedCell({"--preset", "felt"})},
      {comparedCell({"--load", "low.txt"})},
      {comparedCell({"--load", "a-long-parameter-file.txt"})}}},
};

class ReferenceFrames : public PreviewTest, public ::testing::WithParamInterface<FramedPicture> {};

// Each cell is the render of its own settings, found in the picture and painted over in
// one colour there; everything around the cells (the title, the labels, their places and
// the picture's size) is held to the reference exactly.
TEST_P(ReferenceFrames, MatchExactlyAroundTheirCells) {
    const FramedPicture& picture = GetParam();
    ASSERT_EQ(run({"--save", "low.txt", "--density", "0.3"}).exitCode, 0);
    ASSERT_EQ(run({"--save", "a-long-parameter-file.txt", "--density", "0.6"}).exitCode, 0);
    const ToolRun made = run(picture.arguments);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    auto framed = readPng(file(picture.file).string());
    ASSERT_TRUE(framed);
    for (const Cell& cell : picture.cells) {
        if (!cell.arguments.empty()) {
            ASSERT_EQ(run(cell.arguments).exitCode, 0);
        }
        const auto alone = readPng(file(cell.file).string());
        ASSERT_TRUE(alone) << cell.file;
        const auto at = findPicture(*framed, *alone);
        ASSERT_TRUE(at) << "a cell is not the render of its settings";
        for (int y = at->second; y < at->second + alone->height; ++y) {
            for (int x = at->first; x < at->first + alone->width; ++x) {
                const std::size_t pixel = 3 * (static_cast<std::size_t>(y) * framed->width + x);
                framed->rgb[pixel] = 255;
                framed->rgb[pixel + 1] = 0;
                framed->rgb[pixel + 2] = 255;
            }
        }
    }
    const std::filesystem::path reference =
        kReferences / (std::string(picture.name) + "-frame.png");
    if (remaking()) {
        ASSERT_TRUE(preview::writePng(*framed, reference.string()));
        GTEST_SKIP() << "remade " << reference;
    }
    const auto expected = readPng(reference.string());
    ASSERT_TRUE(expected);
    expectMatches(*framed, *expected, kExact);
}

INSTANTIATE_TEST_SUITE_P(Reference, ReferenceFrames, ::testing::ValuesIn(kFramedPictures),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
