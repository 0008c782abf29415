// A look's surface inputs are held to the ranges of the options that set the same inputs,
// its maps to files of its own folder; a damaged look is refused naming its file and line.
#include <filesystem>

#include "looks/preset.h"
#include "preview/preview_fixture.h"

namespace {

struct DamagedLook {
    const char* name;
    std::string look;
    const char* message;  // after "look.txt line "
};

void PrintTo(const DamagedLook& look, std::ostream* out) { *out << look.name; }

const DamagedLook kDamagedLooks[] = {
    {"RoughnessZero", "diffuse = 1\nroughness = 0\n", "2: roughness 0 is out of range"},
    {"NegativeColour", "# a comment\ncolor = 1,-0.5,0\n", "2: color 1,-0.5,0 has a negative"},
    {"NegativeRed", "color = -0.5,0,0\n", "1: color -0.5,0,0 has a negative"},
    {"LevelNotFinite", "\nluminous = inf\n", "2: luminous \"inf\" is not a number"},
    {"NegativeLevel", "specular = -1\n", "1: specular -1 is out of range"},
    {"NotText", std::string("diffuse = 1\n\0\n", 14),
     "is not a look file: it is not text (byte 13 is a NUL)"},
    {"MapOfNoInput", "map.shine = burnout.png\n", "1: unknown key \"map.shine\""},
    {"MapOutsideTheFolder", "map.color = ../burnout.png\n",
     "1: map.color \"../burnout.png\" is not"},
    {"MapMissing", "map.color = absent.png\n", "1: map.color absent.png: there is no such file"},
    {"MapIsALinkToADevice", "map.color = device.png\n",
     "1: map.color device.png: it is a link to a character device, not a picture file"},
    {"TwoMapsOfOneInput", "map.color = burnout.png\nmap.color = burnout.png\n",
     "2: a second map.color"},
};

class DamagedLookFile : public PreviewTest, public ::testing::WithParamInterface<DamagedLook> {};

TEST_P(DamagedLookFile, IsRefusedNamingFileAndLine) {
    std::filesystem::create_directories(file("looks/bad"));
    writeFile(file("looks/bad/parameters.txt"), " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n");
    writeFile(file("looks/bad/look.txt"), GetParam().look);
    writeFile(file("looks/burnout.png"), "beside the look's folder, not in it");
    writeFile(file("looks/bad/burnout.png"), "a map");
    std::filesystem::create_symlink("/dev/null", file("looks/bad/device.png"));
    const auto preset = looks::readPreset(file("looks").string(), "bad");
    ASSERT_FALSE(preset);
    EXPECT_NE(preset.error().find(GetParam().message), std::string::npos) << preset.error();
    EXPECT_NE(preset.error().find("look.txt"), std::string::npos) << preset.error();
}

INSTANTIATE_TEST_SUITE_P(Preview, DamagedLookFile, ::testing::ValuesIn(kDamagedLooks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LookFile, NamesItsMapsInItsOwnFolder) {
    const auto look = looks::readPreset(looks::defaultPresetsFolder(), "burnout-velvet");
    ASSERT_TRUE(look) << look.error();
    ASSERT_EQ(look->maps.size(), 1u);
    EXPECT_EQ(look->maps[0].input, render::SurfaceInput::Luminous);
    EXPECT_EQ(look->maps[0].path, looks::defaultPresetsFolder() + "/burnout-velvet/burnout.png");
}

// A link round a circle in the presets folder is passed over by the list and by every
// question about the folder's files; asked for by name, it is refused with the reason. A
// folder named as no look is named is no look.
using PresetsFolder = PreviewTest;

TEST_F(PresetsFolder, AnEntryThatCannotBeLookedAtIsSkippedAndNamedWhenAskedFor) {
    std::filesystem::create_directories(file("looks/good"));
    writeFile(file("looks/good/parameters.txt"), " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n");
    writeFile(file("looks/good/look.txt"), "description = fine\n");
    std::filesystem::create_directory_symlink("loop", file("looks/loop"));
    std::filesystem::create_directory(file("looks/Not_A-Name"));  // a look's is a-z, 0-9, -
    const std::string folder = file("looks").string();
    const auto names = looks::presetNames(folder);
    ASSERT_TRUE(names) << names.error();
    EXPECT_EQ(names.value(), std::vector<std::string>{"good"});
    EXPECT_TRUE(looks::lookFiles(folder, "loop").empty());
    const auto loop = looks::readPreset(folder, "loop");
    ASSERT_FALSE(loop);
    EXPECT_EQ(loop.error().rfind("cannot read the preset \"loop\" in " + folder + ": ", 0), 0u)
        << loop.error();
    EXPECT_TRUE(looks::readPreset(folder, "good")) << "the other looks stay readable";
}

}  // namespace
