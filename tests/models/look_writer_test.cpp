// Looks written into object files: each case is the file the encoder makes with the look
// already in it, so that a length, a pad byte or a byte outside the surfaces written that
// comes out differently fails; and what is written reads back as the same look.
#include "models/look_writer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "models/specular_tag.h"
#include "models/surface_reader.h"
#include "models/surface_units.h"
#include "surface_files.h"

namespace {

using namespace surface_files;

const models::StoredBlock kBlock = storedBlock(0x40);
const std::string kNew = bytesOf(kBlock);
const std::string kOld = bytesOf(storedBlock(0x10));
const std::string kTriangle = points({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}});

std::string written(const std::string& file, const std::vector<std::string>& surfaces,
                    const std::optional<models::BaseValues>& values = std::nullopt) {
    const auto out = models::writeLook(file, "in.lwo", surfaces, {kBlock, values});
    EXPECT_TRUE(out) << out.error();
    return out ? out.value() : std::string();
}

std::string lwobShader(const std::string& data) {
    return subChunk("SHDR", s0("pelorix3")) + subChunk("SDAT", data);
}

struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> surfaces;
    std::string expected;
};

const std::string kOther = shaderBlock("\x80", "other", "abc");
const std::string kOdd = subChunk("ODD ", "xyz");  // a sub-chunk of odd length, with its pad

const Case kCases[] = {
    // The enabled entry is the one the module runs with; the one switched off stays.
    {"Lwo2DataReplacedInPlace",
     form("LWO2", kTriangle +
                      lwo2Surface("S", shaderBlock("\x70", "pelorix3", kOld, false) + kOdd +
                                           shaderBlock("\x90", "pelorix3", "short") + kOther) +
                      kTriangle),
     {"S"},
     form("LWO2", kTriangle +
                      lwo2Surface("S", shaderBlock("\x70", "pelorix3", kOld, false) + kOdd +
                                           shaderBlock("\x90", "pelorix3", kNew) + kOther) +
                      kTriangle)},
    {"Lwo2BlockAddedAfterTheGreatestOrdinal",
     form("LWO2", lwo2Surface("S", block("IMAP", "\x80\x10", "", "") + kOther + kOdd)),
     {"S"},
     form("LWO2", lwo2Surface("S", block("IMAP", "\x80\x10", "", "") + kOther + kOdd +
                                       shaderBlock("\x80\x10\x80", "pelorix3", kNew)))},
    {"Lwo2FirstBlockIsOrdinal0x80",
     form("LWO2", lwo2Surface("S", kOdd)),
     {"S"},
     form("LWO2", lwo2Surface("S", kOdd + shaderBlock("\x80", "pelorix3", kNew)))},
    {"LwobDataReplacedInPlace",
     form("LWOB",
          lwobSurface("S", subChunk("SHDR", s0("x")) + lwobShader(kOld) + kOdd + lwobShader(kOld))),
     {"S"},
     form("LWOB", lwobSurface("S", subChunk("SHDR", s0("x")) + lwobShader(kNew) + kOdd +
                                       lwobShader(kOld)))},
    {"LwobShaderWithoutDataGetsItAfterIt",
     form("LWOB", lwobSurface("S", subChunk("SHDR", s0("pelorix3")) + kOdd +
                                       subChunk("SHDR", s0("x")) + subChunk("SDAT", "12"))),
     {"S"},
     form("LWOB", lwobSurface("S", lwobShader(kNew) + kOdd + subChunk("SHDR", s0("x")) +
                                       subChunk("SDAT", "12")))},
    {"LwobShaderAddedLast",
     form("LWOB", lwobSurface("S", subChunk("SHDR", s0("x")) + kOdd)),
     {"S"},
     form("LWOB", lwobSurface("S", subChunk("SHDR", s0("x")) + kOdd + lwobShader(kNew)))},
    // After the form's last chunk, before bytes that follow the form.
    {"Lwo2SurfaceWithoutChunkGetsOne",
     form("LWO2", names("TAGS", {"A", "B"}) + surfaceTags({{0, 1}}) + lwo2Surface("A", "")) +
         "tail",
     {"B"},
     form("LWO2", names("TAGS", {"A", "B"}) + surfaceTags({{0, 1}}) + lwo2Surface("A", "") +
                      lwo2Surface("B", shaderBlock("\x80", "pelorix3", kNew))) +
         "tail"},
    {"LwobSurfaceWithoutChunkGetsOne",
     form("LWOB", names("SRFS", {"A", "Bee"})),
     {"Bee", "Bee"},
     form("LWOB", names("SRFS", {"A", "Bee"}) + lwobSurface("Bee", lwobShader(kNew)))},
    // Only the first chunk of a name counts, and is written.
    {"FirstChunkOfANameWritten",
     form("LWOB", lwobSurface("S", "") + chunk("ODD ", "abc") + lwobSurface("S", "")),
     {"S"},
     form("LWOB",
          lwobSurface("S", lwobShader(kNew)) + chunk("ODD ", "abc") + lwobSurface("S", ""))},
    // A surface chunk of odd length, its last sub-chunk without its pad, is followed by its
    // own pad byte and another chunk.
    {"OddLengthSurfaceChunk",
     form("LWOB", chunk("SURF", s0("S") + "ODD " + u2(3) + "xyz") + kTriangle),
     {"S"},
     form("LWOB", lwobSurface("S", kOdd + lwobShader(kNew)) + kTriangle)},
    // An LWO2 surface that no PTAG tags: the surface of polygons without one.
    {"Lwo2DefaultSurface",
     form("LWO2", kTriangle),
     {"Default"},
     form("LWO2", kTriangle + lwo2Surface("Default", shaderBlock("\x80", "pelorix3", kNew)))},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class LookWritten : public ::testing::TestWithParam<Case> {};

TEST_P(LookWritten, IntoTheSurfacesOnly) {
    EXPECT_EQ(written(GetParam().file, GetParam().surfaces), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(LookWriter, LookWritten, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The last chunk of a file may end without its pad byte; written, it has one.
TEST(LookWriter, PadsWhatTheFileLeftUnpadded) {
    const std::string surface = s0("S") + "ODD " + u2(3) + "xyz";  // its pad byte missing
    const std::string unpadded = "FORM" + u4(4 + 8 + 11) + "LWOB" + "SURF" + u4(11) + surface;
    EXPECT_EQ(written(unpadded, {"S"}), form("LWOB", lwobSurface("S", kOdd + lwobShader(kNew))));
    const std::string names = "SRFS" + u4(3) + "Ab" + '\0';
    const std::string added = lwobSurface("Ab", lwobShader(kNew));
    EXPECT_EQ(written("FORM" + u4(4 + 11) + "LWOB" + names, {"Ab"}),
              "FORM" + u4(static_cast<std::uint32_t>(4 + 12 + added.size())) + "LWOB" + names +
                  '\0' + added);
}

// Base values replace those the chunk has (an envelope after one stays), and are added
// where it has none; LWOB's F4 forms only where the chunk has them.
TEST(LookWriter, WritesBaseValues) {
    const models::BaseValues values{{1.0, 0.2, 0.5}, 0.75, 0.5, 0.25, 1.0 / 32.0};
    const float glossiness = static_cast<float>(models::glossinessFromRoughness(values.roughness));
    EXPECT_EQ(written(form("LWO2",
                           lwo2Surface("S", subChunk("COLR", f4(0) + f4(0) + f4(0) + vx(3)) + kOdd +
                                                subChunk(models::kSpecularTag, f4(1) + vx(9)))),
                      {"S"}, values),
              form("LWO2",
                   lwo2Surface("S", subChunk("COLR", f4(1) + f4(0.2f) + f4(0.5f) + vx(3)) + kOdd +
                                        subChunk(models::kSpecularTag, f4(0.5f) + vx(9)) +
                                        lwo2Fraction("DIFF", 0.75f) + lwo2Fraction("LUMI", 0.25f) +
                                        lwo2Fraction("GLOS", glossiness) +
                                        shaderBlock("\x80", "pelorix3", kNew))));
    // 0.2 and 0.5 of 255 round to 51 and 128.
    EXPECT_EQ(
        written(
            form("LWOB", lwobSurface("S", subChunk("COLR", "\x01\x02\x03\x04") +
                                              subChunk("VDIF", f4(0)) + subChunk("DIFF", u2(0)))),
            {"S"}, values),
        form("LWOB",
             lwobSurface(
                 "S", subChunk("COLR", "\xff\x33\x80\x04") + subChunk("VDIF", f4(0.75f)) +
                          subChunk("DIFF", u2(192)) + subChunk(models::kSpecularTag, u2(128)) +
                          subChunk("LUMI", u2(64)) + subChunk("GLOS", u2(32)) + lwobShader(kNew))));
}

struct RoundTrip {
    const char* name;
    std::string file;
};

const RoundTrip kRoundTrips[] = {
    {"Lwo2", form("LWO2", names("TAGS", {"Velvet", "Plain"}) + surfaceTags({{0, 0}, {1, 1}}) +
                              lwo2Surface("Plain", lwo2Fraction("DIFF", 0.5f) + kOther) +
                              lwo2Surface("Velvet", kOther + lwo2Fraction("DIFF", 0.1f) +
                                                        shaderBlock("\x90", "pelorix3", kOld)))},
    {"Lwob", form("LWOB", names("SRFS", {"Velvet", "Plain"}) +
                              lwobSurface("Plain", subChunk("DIFF", u2(128)) + lwobShader(kOld)) +
                              lwobSurface("Velvet",
                                          subChunk("SHDR", s0("x")) + subChunk("VSPC", f4(0.1f))))},
    // A surface that runs the module from its source gets an entry of its own.
    {"Lwo2FromASource",
     form("LWO2", lwo2Surface("Plain", shaderBlock("\x80", "pelorix3", kOld)) +
                      lwo2Surface("Velvet", lwo2Fraction(models::kSpecularTag, 0.3f), "Plain"))},
};

void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.name; }

class LookRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(LookRoundTrip, ReadsBackTheSameLookAndLeavesTheOtherSurface) {
    const auto before = models::readSurfaces(GetParam().file, "in.lwo");
    ASSERT_TRUE(before) << before.error();
    const models::BaseValues values{{0.2, 0.4, 1.0}, 0.75, 0.5, 0.125, 1.0 / 16.0};
    const auto after =
        models::readSurfaces(written(GetParam().file, {"Velvet"}, values), "out.lwo");
    ASSERT_TRUE(after) << after.error();
    ASSERT_EQ(after->surfaces.size(), before->surfaces.size());
    for (std::size_t i = 0; i < after->surfaces.size(); ++i) {
        const models::Surface& s = after->surfaces[i];
        const auto block = models::storedBlockOf(s);
        ASSERT_TRUE(block) << block.error();
        if (s.name != "Velvet") {
            EXPECT_EQ(s.base.diffuse, before->surfaces[i].base.diffuse);
            EXPECT_EQ(s.shaders.size(), before->surfaces[i].shaders.size());
            continue;
        }
        ASSERT_TRUE(block.value());
        EXPECT_EQ(bytesOf(*block.value()), kNew);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(s.base.colour[c], values.colour[c], 1e-6);
        EXPECT_NEAR(s.base.diffuse, values.diffuse, 1e-6);
        EXPECT_NEAR(s.base.specular, values.specular, 1e-6);
        EXPECT_NEAR(s.base.luminosity, values.luminosity, 1e-6);
        EXPECT_NEAR(s.base.roughness, values.roughness, 1e-7);
    }
}

INSTANTIATE_TEST_SUITE_P(LookWriter, LookRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    std::string file;
    std::vector<std::string> surfaces;
    models::BaseValues values;
    const char* message;
};

models::BaseValues withColour(double red) {
    models::BaseValues values;
    values.colour[0] = red;
    return values;
}

models::BaseValues withDiffuse(double diffuse) {
    models::BaseValues values;
    values.diffuse = diffuse;
    return values;
}

models::BaseValues withRoughness(double roughness) {
    models::BaseValues values;
    values.roughness = roughness;
    return values;
}

// A block of 65,530 bytes, whose data would grow by 28.
const std::string kFullBlock = block("SHDR", "\x80", subChunk("PAD ", std::string(65500, 'p')),
                                     subChunk("FUNC", s0("pelorix3")));

const Refusal kRefusals[] = {
    {"UnknownSurface",
     form("LWOB", names("SRFS", {"A", "B"})),
     {"C"},
     {},
     "in.lwo has no surface named \"C\": its surfaces are \"A\", \"B\""},
    {"Lwo2PartName",
     form("LWO2", names("TAGS", {"Arm"}) + chunk("PTAG", "PART" + vx(0) + u2(0))),
     {"Arm"},
     {},
     "in.lwo has no surface named \"Arm\": it has none"},
    {"LwobDefault",
     form("LWOB", names("SRFS", {"A"})),
     {"Default"},
     {},
     "in.lwo has no surface named \"Default\": its surfaces are \"A\""},
    {"NoSurfaceNamed",
     form("LWOB", names("SRFS", {"A"})),
     {},
     {},
     "in.lwo takes no look: no surface is named to write it into"},
    {"LwobColourAboveOne",
     form("LWOB", names("SRFS", {"A"})),
     {"A"},
     withColour(1.5),
     "in.lwo cannot take the look in surface \"A\": the colour component 1.5 does not fit the "
     "file's byte "
     "colours (0 to 1)"},
    {"LwobDiffuseTooLarge",
     form("LWOB", names("SRFS", {"A"})),
     {"A"},
     withDiffuse(128),
     "in.lwo cannot take the look in surface \"A\": the diffuse 128 does not fit the file's "
     "two-byte "
     "fractions (-128 to 127.99)"},
    // LWOB keeps the roughness as a whole specular exponent: one the file cannot hold is
    // refused, not clamped to the nearest it can.
    {"LwobRoughnessOfTooLargeAnExponent",
     form("LWOB", names("SRFS", {"A"})),
     {"A"},
     withRoughness(1e-5),
     "in.lwo cannot take the look in surface \"A\": the roughness 1e-05 needs the "
     "specular exponent 100000, but the file holds whole exponents from 1 to 32767"},
    {"LwobRoughnessAboveTwo",
     form("LWOB", names("SRFS", {"A"})),
     {"A"},
     withRoughness(2.5),
     "in.lwo cannot take the look in surface \"A\": the roughness 2.5 needs the specular "
     "exponent 0.4, but the file holds whole exponents from 1 to 32767"},
    {"Lwo2DiffuseBeyondFloat",
     form("LWO2", lwo2Surface("A", "")),
     {"A"},
     withDiffuse(1e39),
     "in.lwo cannot take the look in surface \"A\": the diffuse 1e+39 is not a finite "
     "single-precision "
     "number"},
    {"BlockOutgrowsItsLength",
     form("LWO2", lwo2Surface("A", kFullBlock)),
     {"A"},
     {},
     "in.lwo cannot take the look in surface \"A\": the shader's block would hold more "
     "than the 65535 bytes its length can say"},
    {"DamagedFile",
     form("LWOB", lwobSurface("A", subChunk("SDAT", ""))),
     {"A"},
     {},
     "in.lwo is a damaged object file (SURF chunk at byte 12): its SDAT sub-chunk at byte 22 comes "
     "before any SHDR, so it is the data of no shader"},
};

void PrintTo(const Refusal& c, std::ostream* out) { *out << c.name; }

class LookRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(LookRefused, SayingWhy) {
    const auto out = models::writeLook(GetParam().file, "in.lwo", GetParam().surfaces,
                                       {kBlock, GetParam().values});
    ASSERT_FALSE(out);
    EXPECT_EQ(out.error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(LookWriter, LookRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
