// Object files given to the preview: told from OBJ text by their content, read from a file
// or through standard input, and rendered; a damaged one refused by the chunk at fault, and
// one of a later generation with what to do, without a picture; an LWOB surface smoothed as
// the renderer saved it.
#include <cmath>
#include <numbers>

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

// A sphere of quads (triangles at the poles) as LWOB, its one surface's sub-chunks `subs`.
std::string lwobSphere(const std::string& subs) {
    using namespace models::lwo_writer;
    constexpr std::uint32_t kAround = 16, kRings = 8;
    std::vector<Point> corners{{0, -1, 0}, {0, 1, 0}};
    for (std::uint32_t ring = 1; ring < kRings; ++ring) {
        const double polar = std::numbers::pi * ring / kRings;
        for (std::uint32_t i = 0; i < kAround; ++i) {
            const double around = 2 * std::numbers::pi * i / kAround;
            corners.push_back({static_cast<float>(std::sin(polar) * std::cos(around)),
                               static_cast<float>(-std::cos(polar)),
                               static_cast<float>(std::sin(polar) * std::sin(around))});
        }
    }
    const auto at = [](std::uint32_t ring, std::uint32_t i) {
        return 2 + (ring - 1) * kAround + i % kAround;
    };
    std::string polygons;
    for (std::uint32_t i = 0; i < kAround; ++i) {
        polygons += lwobPolygon({0, at(1, i + 1), at(1, i)});
        polygons += lwobPolygon({1, at(kRings - 1, i), at(kRings - 1, i + 1)});
        for (std::uint32_t ring = 1; ring + 1 < kRings; ++ring)
            polygons +=
                lwobPolygon({at(ring, i), at(ring, i + 1), at(ring + 1, i + 1), at(ring + 1, i)});
    }
    return form("LWOB", points(corners) + chunk("SRFS", s0("Ball")) + chunk("POLS", polygons) +
                            chunk("SURF", s0("Ball") + subs));
}

// The renderer saves its default smoothing, 89.5 degrees, as SMAN 1.5626 (radians), which
// applies with FLAG's smoothing bit (4): the sphere renders as with --crease 89.5. Without
// the bit it is flat, as with --crease 0.
TEST_F(ObjectFile, AnLwobSurfaceIsSmoothedAsTheRendererSavedIt) {
    using namespace models::lwo_writer;
    const std::string angle = subChunk("SMAN", f4(1.5626f));
    writeFile(file("smooth.lwo"), lwobSphere(subChunk("FLAG", u2(4)) + angle));
    writeFile(file("flat.lwo"), lwobSphere(subChunk("FLAG", u2(0)) + angle));
    const auto rendered = [this](const std::string& model, std::vector<std::string> more) {
        const std::string picture = model + std::to_string(more.size()) + ".png";
        more.insert(more.end(), {"--mesh", model, "--workers", "1", "-o", picture});
        const ToolRun run = this->run(tiny(more));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return readFile(file(picture));
    };
    const std::string smooth = rendered("smooth.lwo", {});
    const std::string flat = rendered("flat.lwo", {});
    EXPECT_EQ(smooth, rendered("flat.lwo", {"--crease", "89.5"}));
    EXPECT_EQ(flat, rendered("smooth.lwo", {"--crease", "0"}));
    EXPECT_NE(smooth, flat);
    const ToolRun listed = run({"--mesh", "smooth.lwo", "--list-surfaces"});
    EXPECT_NE(listed.out.find("smoothing 89.5304 degrees"), std::string::npos) << listed.out;
}

}  // namespace
