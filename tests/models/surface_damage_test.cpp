// Damaged surfaces are refused with the file's name, the chunk at fault, where it starts and
// what is wrong, down to the sub-chunk and its byte.
#include <gtest/gtest.h>

#include <limits>

#include "models/surface_reader.h"
#include "surface_files.h"

namespace {

using namespace surface_files;

struct BadSurface {
    const char* name;
    std::string file;
    const char* message;
};

// The first chunk starts at byte 12 and its data at 20; after an LWO2 surface's name "S"
// and empty source its first sub-chunk starts at 24, after an LWOB surface's name at 22.
const BadSurface kBadSurfaces[] = {
    {"SubChunkPastTheSurface", form("LWO2", lwo2Surface("S", "DIFF" + u2(10) + f4(1))),
     "(SURF chunk at byte 12): its DIFF sub-chunk at byte 24 says it holds 10 bytes, but the "
     "surface has only 4 bytes left"},
    {"SubChunkHeaderCutShort", form("LWOB", lwobSurface("S", subChunk("DIFF", u2(1)) + "SPE")),
     "(SURF chunk at byte 12): a sub-chunk at byte 30 needs 6 bytes for its tag and length, but "
     "the surface ends after 3 bytes"},
    {"DataBeforeAnyShader", form("LWOB", lwobSurface("S", subChunk("SDAT", "ab"))),
     "(SURF chunk at byte 12): its SDAT sub-chunk at byte 22 comes before any SHDR, so it is the "
     "data of no shader"},
    {"BlockHeaderPastTheBlock",
     form("LWO2", lwo2Surface("S", subChunk("BLOK", "SHDR" + u2(20) + s0("\x80")))),
     "(SURF chunk at byte 12): its SHDR sub-chunk at byte 30 says it holds 20 bytes, but the "
     "block has only 2 bytes left"},
    {"SwitchCutShort",
     form("LWO2", lwo2Surface("S", block("SHDR", "\x80", subChunk("ENAB", "\x01"), ""))),
     "(SURF chunk at byte 12): its ENAB sub-chunk at byte 38 holds 1 byte, too few for its value "
     "of 2"},
    {"ServerNameWithoutEnd",
     form("LWO2", lwo2Surface("S", block("SHDR", "\x80", "", subChunk("FUNC", "pel")))),
     "(SURF chunk at byte 12): its FUNC sub-chunk at byte 38 holds a server name with no zero "
     "byte to end it"},
    {"ValueCutShort", form("LWO2", lwo2Surface("S", subChunk("COLR", f4(1) + f4(1)))),
     "(SURF chunk at byte 12): its COLR sub-chunk at byte 24 holds 8 bytes, too few for its "
     "value of 12"},
    {"ValueNotFinite",
     form("LWO2", lwo2Surface("S", lwo2Fraction("DIFF", std::numeric_limits<float>::quiet_NaN()))),
     "(SURF chunk at byte 12): its DIFF sub-chunk at byte 24 holds a value that is not a finite "
     "number"},
    {"SurfaceNameWithoutEnd", form("LWOB", chunk("SURF", "abc")),
     "(SURF chunk at byte 12): the surface's name has no zero byte to end it within the chunk"},
    {"SourceNameWithoutEnd", form("LWO2", chunk("SURF", s0("S") + "xy")),
     "(SURF chunk at byte 12): the name of its source surface has no zero byte to end it within "
     "the chunk"},
    {"TagWithoutEnd", form("LWO2", chunk("TAGS", s0("a") + "b")),
     "(TAGS chunk at byte 12): name 2 has no zero byte to end it within the chunk"},
    {"PolygonTagCutShort", form("LWO2", chunk("PTAG", "SURF" + u2(0))),
     "(PTAG chunk at byte 12): pair 1 runs past the chunk's end"},
    {"TagPastTheNames", form("LWO2", names("TAGS", {"A"}) + surfaceTags({{0, 3}})),
     "(PTAG chunk at byte 22): polygon 0 (counted from 0) has tag 3 (counted from 0), but the "
     "TAGS chunks name only 1 tag"},
};

void PrintTo(const BadSurface& bad, std::ostream* out) { *out << bad.name; }

class BadSurfaceFile : public ::testing::TestWithParam<BadSurface> {};

TEST_P(BadSurfaceFile, IsRefusedNamingTheChunkAndTheByte) {
    const auto surfaces = models::readSurfaces(GetParam().file, "bad.lwo");
    ASSERT_FALSE(surfaces);
    EXPECT_EQ(surfaces.error(),
              std::string("bad.lwo is a damaged object file ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(SurfaceDamage, BadSurfaceFile, ::testing::ValuesIn(kBadSurfaces),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
