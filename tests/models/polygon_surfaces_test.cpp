// Each polygon's surface, as the object-file reader hands the surface reader its polygons:
// LWO2 tags given by PTAG SURF chunks (and "Default" for polygons without one), LWOB surface
// numbers into SRFS; and the damage of either refused by chunk and byte.
#include <gtest/gtest.h>

#include "models/surface_reader.h"
#include "surface_files.h"

namespace {

using namespace surface_files;
using models::LastPolygons;

// A chunk at `offset` of a file, from its bytes (tag, length, data).
models::LwoChunk chunkAt(const std::string& bytes, std::size_t offset) {
    const std::string_view view(bytes);
    return {view.substr(0, 4), offset, models::LwoBytes(view.substr(8), offset + 8)};
}

std::vector<std::string> polygonSurfaceNames(const models::LwoSurfaces& surfaces) {
    std::vector<std::string> names;
    for (const std::uint32_t s : surfaces.polygonSurfaces)
        names.push_back(surfaces.surfaces[s].name);
    return names;
}

class PolygonSurfaces : public ::testing::Test {
protected:
    const std::string name_ = "t.lwo";
};

// Two polygon chunks of three and two polygons kept, a curve chunk between them whose tags
// give none of them a surface, and tags that come before the TAGS chunk that names them.
TEST_F(PolygonSurfaces, Lwo2PolygonsTakeTheirTagsAndTheRestDefault) {
    models::SurfaceReader reader(models::LwoGeneration::Lwo2, "", name_);
    const std::string faces = surfaceTags({{0, 2}, {2, 1}});
    const std::string curves = surfaceTags({{0, 1}, {1, 3}});
    const std::string more = surfaceTags({{1, 2}, {0, 1}, {0, 2}});  // the last pair counts
    models::PolygonSurfaces& polygons = reader.polygons();
    polygons.addUntagged(3);
    ASSERT_TRUE(polygons.readTags(chunkAt(faces, 100), LastPolygons{3, 0}));
    ASSERT_TRUE(polygons.readTags(chunkAt(curves, 200), LastPolygons{2, std::nullopt}));
    polygons.addUntagged(2);
    ASSERT_TRUE(polygons.readTags(chunkAt(more, 300), LastPolygons{2, 3}));
    ASSERT_TRUE(reader.readChunk(chunkAt(names("TAGS", {"Part", "Skin", "Cloth", "Wire"}), 400)));
    const auto surfaces = reader.finish();
    ASSERT_TRUE(surfaces) << surfaces.error();
    EXPECT_EQ(polygonSurfaceNames(surfaces.value()),
              (std::vector<std::string>{"Cloth", "Default", "Skin", "Cloth", "Cloth"}));
    // "Wire" names the curves' surface, though no polygon kept has it.
    ASSERT_EQ(surfaces->surfaces.size(), 4u);
    EXPECT_EQ(surfaces->surfaces[2].name, "Wire");
    EXPECT_EQ(surfaces->surfaces[3].name, "Default");
}

TEST_F(PolygonSurfaces, Lwo2DefaultIsOneSurfaceWithATagOfThatName) {
    models::SurfaceReader reader(models::LwoGeneration::Lwo2, "", name_);
    ASSERT_TRUE(reader.readChunk(chunkAt(names("TAGS", {"Default"}), 12)));
    reader.polygons().addUntagged(1);
    reader.polygons().addUntagged(1);
    ASSERT_TRUE(reader.polygons().readTags(chunkAt(surfaceTags({{0, 0}}), 40), LastPolygons{1, 1}));
    const auto surfaces = reader.finish();
    ASSERT_TRUE(surfaces) << surfaces.error();
    EXPECT_EQ(surfaces->surfaces.size(), 1u);
    EXPECT_EQ(surfaces->polygonSurfaces, (std::vector<std::uint32_t>{0, 0}));
}

// Detail polygons (after a negative surface number) are read like the others.
TEST_F(PolygonSurfaces, LwobPolygonsTakeTheirSurfaceNumbers) {
    models::SurfaceReader reader(models::LwoGeneration::Lwob, "", name_);
    const std::string bytes = chunk("POLS", "");
    const models::LwoChunk polygons = chunkAt(bytes, 60);
    ASSERT_TRUE(reader.polygons().addNumbered(2, 1, polygons));
    ASSERT_TRUE(reader.polygons().addNumbered(-1, 2, polygons));
    ASSERT_TRUE(reader.polygons().addNumbered(3, 3, polygons));
    ASSERT_TRUE(reader.polygons().addNumbered(1, 4, polygons));
    ASSERT_TRUE(reader.readChunk(chunkAt(names("SRFS", {"A", "B", "C"}), 100)));
    const auto surfaces = reader.finish();
    ASSERT_TRUE(surfaces) << surfaces.error();
    EXPECT_EQ(polygonSurfaceNames(surfaces.value()),
              (std::vector<std::string>{"B", "A", "C", "A"}));
}

TEST_F(PolygonSurfaces, LwobSurfaceZeroIsRefused) {
    models::SurfaceReader reader(models::LwoGeneration::Lwob, "", name_);
    const auto zero = reader.polygons().addNumbered(0, 7, chunkAt(chunk("POLS", ""), 60));
    ASSERT_FALSE(zero);
    EXPECT_EQ(
        zero.error(),
        "t.lwo is a damaged object file (POLS chunk at byte 60): polygon 7 has surface 0, but "
        "surfaces are numbered from 1");
}

struct PastTheNames {
    const char* name;
    models::LwoGeneration generation;
    std::optional<std::vector<std::string>> names;  // of the names chunk; none: no chunk
    const char* message;
};

const std::vector<std::string> kTwoNames{"A", "B"};

const PastTheNames kPastTheNames[] = {
    {"Lwob", models::LwoGeneration::Lwob, kTwoNames,
     "t.lwo is a damaged object file (POLS chunk at byte 60): polygon 2 has surface 3, but the "
     "SRFS chunks name only 2 surfaces"},
    {"Lwo2", models::LwoGeneration::Lwo2, kTwoNames,
     "t.lwo is a damaged object file (PTAG chunk at byte 60): polygon 1 (counted from 0) has tag 2 "
     "(counted from 0), but the TAGS chunks name only 2 tags"},
    {"LwobEmptyNames", models::LwoGeneration::Lwob, std::vector<std::string>{},
     "t.lwo is a damaged object file (POLS chunk at byte 60): polygon 2 has surface 3, but the "
     "file's SRFS chunk is empty"},
    {"LwobNoNames", models::LwoGeneration::Lwob, std::nullopt,
     "t.lwo is a damaged object file (POLS chunk at byte 60): polygon 2 has surface 3, but the "
     "file has no SRFS chunk"},
};

class PolygonSurfacesPastTheNames : public ::testing::TestWithParam<PastTheNames> {};

// Found once the whole file is read, as the names may come after the polygons.
TEST_P(PolygonSurfacesPastTheNames, AreRefusedAtTheEnd) {
    const std::string name = "t.lwo";
    const bool lwo2 = GetParam().generation == models::LwoGeneration::Lwo2;
    models::SurfaceReader reader(GetParam().generation, "", name);
    models::PolygonSurfaces& polygons = reader.polygons();
    if (lwo2) {
        polygons.addUntagged(2);
        ASSERT_TRUE(
            polygons.readTags(chunkAt(surfaceTags({{0, 1}, {1, 2}}), 60), LastPolygons{2, 0}));
    } else {
        ASSERT_TRUE(polygons.addNumbered(2, 1, chunkAt(chunk("POLS", ""), 60)));
        ASSERT_TRUE(polygons.addNumbered(3, 2, chunkAt(chunk("POLS", ""), 60)));
    }
    if (GetParam().names) {
        ASSERT_TRUE(
            reader.readChunk(chunkAt(names(lwo2 ? "TAGS" : "SRFS", *GetParam().names), 100)));
    }
    const auto surfaces = reader.finish();
    ASSERT_FALSE(surfaces);
    EXPECT_EQ(surfaces.error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(PolygonSurfaces, PolygonSurfacesPastTheNames,
                         ::testing::ValuesIn(kPastTheNames),
                         [](const auto& info) { return std::string(info.param.name); });

// A PTAG chunk's polygons count from the first of the layer's last polygon chunk.
TEST_F(PolygonSurfaces, Lwo2TagOfAPolygonPastItsChunkIsRefused) {
    const std::string tags = surfaceTags({{1, 0}, {2, 0}});
    models::SurfaceReader reader(models::LwoGeneration::Lwo2, "", name_);
    reader.polygons().addUntagged(2);
    const auto pastTwo = reader.polygons().readTags(chunkAt(tags, 80), LastPolygons{2, 0});
    ASSERT_FALSE(pastTwo);
    EXPECT_EQ(pastTwo.error(),
              "t.lwo is a damaged object file (PTAG chunk at byte 80): pair 2 tags polygon 2 "
              "(counted from 0), but the layer's last polygon chunk has only 2 polygons");
    const auto beforeAny = reader.polygons().readTags(chunkAt(tags, 80), LastPolygons{});
    ASSERT_FALSE(beforeAny);
    EXPECT_EQ(beforeAny.error(),
              "t.lwo is a damaged object file (PTAG chunk at byte 80): pair 1 tags polygon 1 "
              "(counted from 0), but the layer's last polygon chunk has no polygons");
}

}  // namespace
