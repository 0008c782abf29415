// Object files given to the preview: told from OBJ text by their content, read from a file
// or through standard input, and rendered; a damaged one refused by the chunk at fault, and
// one of a later generation with what to do, without a picture.
#include "common/lwo_cubes.h"
#include "models/lwo_writer.h"
#include "preview_fixture.h"

namespace {

using ObjectFile = PreviewTest;

const std::vector<std::string> kTiny{"--width", "64", "--height", "48", "--samples", "1"};

std::vector<std::string> tiny(std::vector<std::string> more) {
    more.insert(more.begin(), kTiny.begin(), kTiny.end());
    return more;
}

TEST_F(ObjectFile, BothGenerationsRenderFromAFileOrStandardInput) {
    writeFile(file("cube.model"), lwo_cubes::lwo2Cube());
    const ToolRun fromFile = run(tiny({"--mesh", "cube.model", "-o", "file.png"}));
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    const ToolRun piped = run(tiny({"--mesh", "-", "-o", "piped.png"}), {lwo_cubes::lwobCube()});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(readFile(file("piped.png")), readFile(file("file.png")));  // the same cube
    ASSERT_EQ(run(tiny({"--scene", "sphere", "-o", "sphere.png"})).exitCode, 0);
    EXPECT_NE(readFile(file("file.png")), readFile(file("sphere.png")));
}

TEST_F(ObjectFile, DamagedOrLaterOneIsRefusedWithoutAPicture) {
    using namespace models::lwo_writer;
    const std::string triangle = points({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}});
    const std::pair<std::string, std::string> cases[] = {
        {form("LWO2", triangle + polygons("FACE", {{0, 1, 7}})),
         "m.lwo is a damaged object file (POLS chunk at byte 56): polygon 1 uses point 7"},
        {form("LWO3", triangle), "m.lwo is an LWO3 object file"},
    };
    for (const auto& [bytes, message] : cases) {
        writeFile(file("m.lwo"), bytes);
        const ToolRun refused = run(tiny({"--mesh", "m.lwo", "-o", "out.png"}));
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
        EXPECT_FALSE(std::filesystem::exists(file("out.png")));
    }
}

}  // namespace
