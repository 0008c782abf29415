// The named looks: each parameter block loads through the module's own load entry and
// saves back byte for byte; each look's surface inputs reach the picture.
#include <filesystem>

#include "looks/preset.h"
#include "png_reader.h"
#include "preview_fixture.h"
#include "render/patterns.h"
#include "tools/preview/map_image.h"

namespace {

using Presets = PreviewTest;

const std::vector<std::string> kRequired{"crushed-red-velvet", "black-velvet", "gold-sheen-satin",
                                         "peach-skin-fuzz",    "felt",         "microfibre",
                                         "burnout-velvet"};

std::vector<std::string> installedPresets() {
    const auto names = looks::presetNames(looks::defaultPresetsFolder());
    return names ? names.value() : std::vector<std::string>{};
}

TEST_F(Presets, EveryRequiredLookIsInstalledAndListed) {
    const ToolRun run = this->run({"--list-presets"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const std::string& name : kRequired) {
        EXPECT_NE(run.out.find(name + " "), std::string::npos) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));  // listing renders nothing
}

TEST_F(Presets, EachLoadsThroughTheModuleAndSavesBackByteIdentical) {
    ASSERT_GE(installedPresets().size(), kRequired.size());
    for (const std::string& name : installedPresets()) {
        const ToolRun run = this->run({"--preset", name, "--save", name + ".txt"});
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
        EXPECT_EQ(run.err.find("warning"), std::string::npos) << name << ": " << run.err;
        const auto stored =
            std::filesystem::path(looks::defaultPresetsFolder()) / name / "parameters.txt";
        EXPECT_EQ(readFile(file(name + ".txt")), readFile(stored)) << name;
    }
}

TEST_F(Presets, LookGivesTheSurfaceAndTheCommandLineOverridesIt) {
    const std::vector<std::string> small{"--width", "64", "--height", "48"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.end(), small.begin(), small.end());
        return more;
    };
    ASSERT_EQ(run(with({"--preset", "felt", "-o", "felt.png"})).exitCode, 0);
    ASSERT_EQ(run(with({"--load", looks::defaultPresetsFolder() + "/felt/parameters.txt", "-o",
                        "parameters-only.png"}))
                  .exitCode,
              0);
    ASSERT_EQ(run(with({"--preset", "felt", "--color", "0.62,0.08,0.16", "--diffuse", "0.9",
                        "--specular", "0.7", "--roughness", "0.015625", "-o", "overridden.png"}))
                  .exitCode,
              0);
    const std::string felt = readFile(file("felt.png"));
    EXPECT_NE(felt, readFile(file("parameters-only.png")));  // the look's surface counts
    EXPECT_EQ(readFile(file("overridden.png")), readFile(file("parameters-only.png")));
}

TEST_F(Presets, TheBurnoutPatternIsThePatternMadeInCodeAndDrivesTheLook) {
    const std::string folder = looks::defaultPresetsFolder() + "/burnout-velvet/";
    const auto shipped = preview::decodeMapImage(readFile(folder + "burnout.png"), "burnout.png");
    const auto made = render::patternMap("burnout");
    ASSERT_TRUE(shipped && made) << shipped.error();
    ASSERT_TRUE(shipped->isGrey());
    ASSERT_EQ(shipped->width(), made->width());
    for (int i = 0; i < 97; ++i) {  // points across the tile, between and on texel centres
        const double u = i / 97.0;
        const double v = (i * 37 % 97) / 97.0;
        ASSERT_EQ(shipped->valueAt(u, v), made->valueAt(u, v)) << u << ", " << v;
    }
    const std::vector<std::string> small{"--width", "64", "--height", "48", "--samples", "1"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.end(), small.begin(), small.end());
        return more;
    };
    ASSERT_EQ(run(with({"--preset", "burnout-velvet", "-o", "mapped.png"})).exitCode, 0);
    ASSERT_EQ(
        run(with({"--preset", "burnout-velvet", "--luminous", "1", "-o", "full.png"})).exitCode, 0);
    EXPECT_NE(readFile(file("mapped.png")), readFile(file("full.png")));  // the map counts
}

// A name with a slash is a look folder's path (see look_folder_test.cpp); a folder here
// named like no look is most likely a look saved here, and the message says how to name it.
TEST_F(Presets, UnknownNameIsRefusedWithTheNamesThereAre) {
    std::filesystem::create_directory(file("my-felt"));
    const ToolRun run = this->run({"--preset", "my-felt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("there is no preset \"my-felt\"; the presets are black-velvet"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("read as a look folder when named ./my-felt"), std::string::npos)
        << run.err;
}

}  // namespace
