// --map on the preview: a map's value is the input's value, wherever the subject's texture
// coordinates lead; a model without coordinates is refused a map.
#include "preview_fixture.h"
#include "tools/preview/png_file.h"

namespace {

using Maps = PreviewTest;

const std::vector<std::string> kSmall{
    "--width", "64", "--height", "48", "--samples", "1", "--density-by-luminosity", "on"};

std::vector<std::string> small(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), kSmall.begin(), kSmall.end());
    return arguments;
}

// A grey map of 2 x 2 texels.
void writeMap(const std::filesystem::path& path, std::vector<unsigned char> grey) {
    ASSERT_TRUE(preview::writeGreyPng(2, 2, grey, path.string()));
}

// A picture with no pixels in either direction is refused before libpng sees it, and
// nothing is written.
TEST_F(Maps, AnEmptyGreyPictureIsRefusedAndNotWritten) {
    for (const auto& [width, height] : {std::pair{0, 2}, std::pair{2, 0}}) {
        const base::Status written = preview::writeGreyPng(width, height, {}, file("e.png"));
        ASSERT_FALSE(written) << width << " x " << height;
        EXPECT_NE(written.error().find("the picture is empty"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(file("e.png")));
    }
}

TEST_F(Maps, AMapGivesItsValueWhereverTheCoordinatesLead) {
    writeMap(file("white.png"), {255, 255, 255, 255});
    writeMap(file("halves.png"), {255, 0, 255, 0});
    for (const std::string scene : {"cloth", "sphere"}) {
        SCOPED_TRACE(scene);
        ASSERT_EQ(
            run(small({"--scene", scene, "--map", "luminous=white.png", "-o", "map.png"})).exitCode,
            0);
        ASSERT_EQ(run(small({"--scene", scene, "--luminous", "1", "-o", "one.png"})).exitCode, 0);
        ASSERT_EQ(run(small({"--scene", scene, "--map", "luminous=halves.png", "-o", "half.png"}))
                      .exitCode,
                  0);
        EXPECT_EQ(readFile(file("map.png")), readFile(file("one.png")));
        EXPECT_NE(readFile(file("half.png")), readFile(file("one.png")));
    }
}

TEST_F(Maps, AModelTakesItsOwnCoordinatesAndOneWithoutIsRefused) {
    writeMap(file("halves.png"), {255, 0, 255, 0});
    const std::string quad = "v -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\n";
    writeFile(file("mapped.obj"), quad + "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nf 1/1 2/2 3/3 4/4\n");
    writeFile(file("plain.obj"), quad + "f 1 2 3 4\n");
    const ToolRun mapped =
        run(small({"--mesh", "mapped.obj", "--map", "luminous=halves.png", "-o", "m.png"}));
    EXPECT_EQ(mapped.exitCode, 0) << mapped.err;
    const ToolRun plain =
        run(small({"--mesh", "plain.obj", "--map", "luminous=halves.png", "-o", "p.png"}));
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_NE(plain.err.find("plain.obj has no texture coordinates"), std::string::npos)
        << plain.err;
    EXPECT_FALSE(std::filesystem::exists(file("p.png")));
    // A look's map: the message says where it comes from and what to give instead.
    const ToolRun look = run(small({"--mesh", "plain.obj", "--preset", "burnout-velvet"}));
    EXPECT_EQ(look.exitCode, 1);
    EXPECT_NE(look.err.find("The map comes from the look burnout-velvet: give a model with "
                            "texture coordinates, or --luminous VALUE in place of the map"),
              std::string::npos)
        << look.err;
}

// A map is read once, before any look: one from standard input serves every look compared.
TEST_F(Maps, AMapFromStandardInputServesEveryComparedLook) {
    writeMap(file("halves.png"), {255, 0, 255, 0});
    const ToolRun fromFile = run(
        small({"--map", "luminous=halves.png", "--compare", "felt,microfibre", "-o", "file.png"}));
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    const ToolRun fromInput =
        run(small({"--map", "luminous=-", "--compare", "felt,microfibre", "-o", "input.png"}),
            {.input = readFile(file("halves.png"))});
    ASSERT_EQ(fromInput.exitCode, 0) << fromInput.err;
    EXPECT_EQ(readFile(file("input.png")), readFile(file("file.png")));
}

}  // namespace
