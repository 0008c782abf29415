// The shaders of surfaces, in the order the renderer runs them, the module's stored block
// among them, and the surfaces an LWO2 surface starts from.
#include <gtest/gtest.h>

#include "models/specular_tag.h"
#include "models/stored_block.h"
#include "models/surface_reader.h"
#include "surface_files.h"

namespace {

using namespace surface_files;

std::vector<std::string> serversOf(const models::Surface& surface) {
    std::vector<std::string> servers;
    for (const models::ShaderEntry& entry : surface.shaders)
        servers.push_back(entry.server + (entry.enabled ? "" : " (off)") + ":" + entry.data);
    return servers;
}

models::LwoSurfaces read(const std::string& file) {
    auto surfaces = models::readSurfaces(file, "t.lwo");
    EXPECT_TRUE(surfaces) << surfaces.error();
    return surfaces ? surfaces.value() : models::LwoSurfaces{};
}

// Ordinals compare as unsigned bytes: 0x7F runs before 0x80, and 0x80 before 0x90 0x01.
TEST(SurfaceShaders, Lwo2BlocksRunInTheOrderOfTheirOrdinals) {
    const auto surfaces = read(form(
        "LWO2", lwo2Surface("S", shaderBlock("\x90\x01", "c", "3") +
                                     block("IMAP", "\xA0", "", subChunk("CHAN", "COLR")) +
                                     shaderBlock("\x80", "b", "22", false) +
                                     shaderBlock("\x7F", "a", "") + shaderBlock("\x80", "b2", "") +
                                     block("SHDR", "\x10", "", subChunk("ENAB", u2(1))))));
    ASSERT_EQ(surfaces.surfaces.size(), 1u);
    const models::Surface& s = surfaces.surfaces[0];
    // Equal ordinals keep the file's order; a shader block without FUNC names no shader.
    EXPECT_EQ(serversOf(s), (std::vector<std::string>{"a:", "b (off):22", "b2:", "c:3"}));
    EXPECT_EQ(s.lastOrdinal, "\xA0");  // every kind of block counts
}

TEST(SurfaceShaders, LwobDataBelongsToTheMostRecentShader) {
    const auto surfaces = read(
        form("LWOB", lwobSurface("S", subChunk("SHDR", s0("a")) + subChunk("SDAT", "xyz") +
                                          subChunk("SHDR", s0("b")) + subChunk("SHDR", s0("c")) +
                                          subChunk("DIFF", u2(256)) + subChunk("SDAT", "12") +
                                          subChunk("SDAT", "ignored"))));
    ASSERT_EQ(surfaces.surfaces.size(), 1u);
    EXPECT_EQ(serversOf(surfaces.surfaces[0]), (std::vector<std::string>{"a:xyz", "b:", "c:12"}));
}

TEST(SurfaceShaders, TheModulesBlockIsItsFirstEnabledEntry) {
    const std::string block = bytesOf(storedBlock(1));
    const auto surfaces = read(form(
        "LWO2", lwo2Surface("On", shaderBlock("\x70", "pelorix3", std::string(28, 'x'), false) +
                                      shaderBlock("\x90", "pelorix3", std::string(28, 'y')) +
                                      shaderBlock("\x80", "pelorix3", block)) +
                    lwo2Surface("Short", shaderBlock("\x80", "pelorix3", std::string(27, 'z'))) +
                    lwo2Surface("None", shaderBlock("\x80", "other", block))));
    ASSERT_EQ(surfaces.surfaces.size(), 3u);
    const auto on = models::storedBlockOf(surfaces.surfaces[0]);
    ASSERT_TRUE(on) << on.error();
    ASSERT_TRUE(on.value());
    EXPECT_EQ(bytesOf(*on.value()), block);
    const auto wrongLength = models::storedBlockOf(surfaces.surfaces[1]);
    ASSERT_FALSE(wrongLength);
    EXPECT_EQ(wrongLength.error(),
              "surface \"Short\": the pelorix3 shader's data is 27 bytes, not the 28 bytes of its "
              "stored block");
    const auto none = models::storedBlockOf(surfaces.surfaces[2]);
    ASSERT_TRUE(none) << none.error();
    EXPECT_FALSE(none.value());
}

// A surface starts from its source's values, which start from its source's, and so on: a
// few levels deep and never round a circle. Its own shaders replace those of the same server.
TEST(SurfaceShaders, Lwo2SurfacesStartFromTheirSources) {
    const auto surfaces = read(form(
        "LWO2",
        lwo2Surface("Base", lwo2Fraction("DIFF", 0.5f) + lwo2Fraction(models::kSpecularTag, 0.25f) +
                                shaderBlock("\x80", "kept", "k") + shaderBlock("\x90", "p", "old") +
                                block("PROC", "\xC0", "", "")) +
            lwo2Surface("Middle",
                        lwo2Fraction(models::kSpecularTag, 0.75f) + lwo2Fraction("LUMI", 0.5f),
                        "Base") +
            lwo2Surface("Top", lwo2Fraction("LUMI", 1.0f) + shaderBlock("\x70", "p", "new", false),
                        "Middle") +
            lwo2Surface("Circle", lwo2Fraction("DIFF", 0.25f), "Loop") +
            lwo2Surface("Loop", lwo2Fraction(models::kSpecularTag, 0.5f), "Circle") +
            lwo2Surface("Orphan", lwo2Fraction(models::kSpecularTag, 0.25f), "Missing")));
    ASSERT_EQ(surfaces.surfaces.size(), 6u);
    const models::Surface& top = surfaces.surfaces[2];
    EXPECT_EQ(top.base.diffuse, 0.5);
    EXPECT_EQ(top.base.specular, 0.75);
    EXPECT_EQ(top.base.luminosity, 1.0);
    EXPECT_EQ(serversOf(top), (std::vector<std::string>{"p (off):new", "kept:k"}));
    EXPECT_EQ(top.lastOrdinal, "\xC0");
    const models::Surface& circle = surfaces.surfaces[3];
    EXPECT_EQ(circle.base.diffuse, 0.25);
    EXPECT_EQ(circle.base.specular, 0.5);
    const models::Surface& orphan = surfaces.surfaces[5];  // its source sets nothing
    EXPECT_EQ(orphan.base.specular, 0.25);
    EXPECT_EQ(orphan.base.diffuse, 1.0);
}

TEST(SurfaceShaders, SourcesAreFollowedFourLevelsDeep) {
    // S4 is the fourth source of S0, S5 the fifth: S0 starts from S4's values, not S5's.
    const auto deep =
        read(form("LWO2", lwo2Surface("S0", "", "S1") + lwo2Surface("S1", "", "S2") +
                              lwo2Surface("S2", "", "S3") + lwo2Surface("S3", "", "S4") +
                              lwo2Surface("S4", lwo2Fraction(models::kSpecularTag, 0.5f), "S5") +
                              lwo2Surface("S5", lwo2Fraction("LUMI", 0.5f))));
    ASSERT_EQ(deep.surfaces.size(), 6u);
    EXPECT_EQ(deep.surfaces[0].base.specular, 0.5);
    EXPECT_EQ(deep.surfaces[0].base.luminosity, 0.0);
    EXPECT_EQ(deep.surfaces[1].base.luminosity, 0.5);
}

// LWO2: tags that name surfaces (a PTAG SURF gives them, or a SURF chunk sets them up) in
// TAGS order, each where its name first stands, a part's name left out; then SURF chunks of
// other names. The first SURF chunk of a name counts.
TEST(SurfaceShaders, TheFileListsItsSurfacesOnce) {
    const auto surfaces = read(
        form("LWO2", names("TAGS", {"Part", "Tagged", "Set", "Tagged"}) + surfaceTags({{0, 3}}) +
                         chunk("PTAG", "PART" + vx(0) + u2(0)) + lwo2Surface("Extra", "") +
                         lwo2Surface("Set", lwo2Fraction("DIFF", 0.5f)) +
                         lwo2Surface("Set", lwo2Fraction("DIFF", 0.25f))));
    std::vector<std::string> listed;
    for (const models::Surface& s : surfaces.surfaces) listed.push_back(s.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"Tagged", "Set", "Extra"}));
    ASSERT_EQ(surfaces.surfaces.size(), 3u);
    EXPECT_FALSE(surfaces.surfaces[0].hasChunk);
    EXPECT_EQ(surfaces.surfaces[1].base.diffuse, 0.5);
    EXPECT_TRUE(surfaces.polygonSurfaces.empty());
}

}  // namespace
