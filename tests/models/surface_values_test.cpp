// The base values of surfaces read from both generations of object file: the values each
// form writes, the defaults of what a chunk leaves out, and the tool's roughness from the
// file's glossiness.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "models/specular_tag.h"
#include "models/surface_reader.h"
#include "surface_files.h"

namespace {

using namespace surface_files;

constexpr double kPi = 3.14159265358979323846;

models::Surface onlySurface(const std::string& file) {
    const auto read = models::readSurfaces(file, "t.lwo");
    EXPECT_TRUE(read) << read.error();
    if (!read || read->surfaces.size() != 1) {
        ADD_FAILURE() << "expected one surface";
        return {};
    }
    return read->surfaces[0];
}

TEST(SurfaceValues, Lwo2ValuesAreFractionsAndRadians) {
    const models::Surface s = onlySurface(form(
        "LWO2", lwo2Surface("Cloth", subChunk("COLR", f4(0.25f) + f4(0.5f) + f4(1.5f) + vx(7)) +
                                         lwo2Fraction("DIFF", 0.75f) +
                                         lwo2Fraction(models::kSpecularTag, 0.5f) +
                                         lwo2Fraction("LUMI", 0.125f) + lwo2Fraction("GLOS", 0.6f) +
                                         subChunk("SMAN", f4(1.0f)))));
    EXPECT_EQ(s.name, "Cloth");
    EXPECT_TRUE(s.hasChunk);
    EXPECT_EQ(s.base.colour, (base::Triple{0.25, 0.5, 1.5}));
    EXPECT_EQ(s.base.diffuse, 0.75);
    EXPECT_EQ(s.base.specular, 0.5);
    EXPECT_EQ(s.base.luminosity, 0.125);
    // Exponent 2^(10 * 0.6 + 2) = 256.
    EXPECT_NEAR(s.base.roughness, 1.0 / 256.0, 1e-9);
    EXPECT_EQ(s.smoothingAngle, 1.0);
}

TEST(SurfaceValues, LwobValuesAreBytesTwoByteFractionsAndRadians) {
    const models::Surface s = onlySurface(form(
        "LWOB", lwobSurface("Cloth", subChunk("COLR", "\xff\x80" + std::string("\0\0", 2)) +
                                         subChunk("DIFF", u2(192)) +
                                         subChunk(models::kSpecularTag, u2(64)) +
                                         subChunk("LUMI", u2(0xFF00)) + subChunk("GLOS", u2(256)) +
                                         subChunk("FLAG", u2(4)) + subChunk("SMAN", f4(1.5626f)))));
    EXPECT_EQ(s.base.colour, (base::Triple{1.0, 128.0 / 255.0, 0.0}));
    EXPECT_EQ(s.base.diffuse, 0.75);
    EXPECT_EQ(s.base.specular, 0.25);
    EXPECT_EQ(s.base.luminosity, -1.0);  // the two-byte fractions are signed
    EXPECT_EQ(s.base.roughness, 1.0 / 256.0);
    EXPECT_EQ(s.smoothingAngle, 1.5626f);  // the renderer's 89.5 degrees
}

// The F4 forms take the place of the two-byte ones wherever they come in the chunk.
TEST(SurfaceValues, LwobFloatFormsReplaceTheTwoByteForms) {
    const models::Surface s = onlySurface(form(
        "LWOB", lwobSurface("Cloth", subChunk("VDIF", f4(0.3f)) + subChunk("DIFF", u2(256)) +
                                         subChunk(models::kSpecularTag, u2(256)) +
                                         subChunk("VSPC", f4(0.6f)) + subChunk("LUMI", u2(128)))));
    EXPECT_EQ(s.base.diffuse, 0.3f);
    EXPECT_EQ(s.base.specular, 0.6f);
    EXPECT_EQ(s.base.luminosity, 0.5);
}

TEST(SurfaceValues, WhatNoChunkSetsHasTheDefaults) {
    const auto read = models::readSurfaces(
        form("LWOB", names("SRFS", {"Named", "Set"}) + lwobSurface("Set", "")), "t.lwo");
    ASSERT_TRUE(read) << read.error();
    ASSERT_EQ(read->surfaces.size(), 2u);
    const models::BaseValues defaults;
    for (const models::Surface& s : read->surfaces) {
        EXPECT_EQ(s.base.colour, defaults.colour) << s.name;
        EXPECT_EQ(s.base.diffuse, 1.0) << s.name;
        EXPECT_EQ(s.base.specular, 0.0) << s.name;
        EXPECT_EQ(s.base.luminosity, 0.0) << s.name;
        EXPECT_EQ(s.base.roughness, 1.0 / 64.0) << s.name;
        EXPECT_EQ(s.smoothingAngle, 0.0) << s.name;
        EXPECT_TRUE(s.shaders.empty()) << s.name;
    }
    EXPECT_FALSE(read->surfaces[0].hasChunk);
    EXPECT_TRUE(read->surfaces[1].hasChunk);
}

struct Conversion {
    const char* name;
    std::string subs;
    double roughness;
    double smoothingAngle;
};

const Conversion kLwo2Conversions[] = {
    {"DefaultGlossiness", lwo2Fraction("GLOS", 0.4f), 1.0 / 64.0, 0.0},
    {"NoGlossiness", lwo2Fraction("GLOS", 0.0f), 0.25, 0.0},
    {"GlossinessBeyondAHundredCountsAsAHundred", lwo2Fraction("GLOS", 5000.0f), std::exp2(-1002.0),
     0.0},
    {"NegativeSmoothingIsFlat", subChunk("SMAN", f4(-0.5f)), 1.0 / 64.0, 0.0},
    {"SmoothingBeyondPiIsPi", subChunk("SMAN", f4(7.0f)), 1.0 / 64.0, kPi},
};

const Conversion kLwobConversions[] = {
    {"DefaultExponent", subChunk("GLOS", u2(64)), 1.0 / 64.0, 0.0},
    {"ExponentZeroIsTheWidest", subChunk("GLOS", u2(0)), 1.0, 0.0},
    {"NegativeExponentIsTheWidest", subChunk("GLOS", u2(0xFFF0)), 1.0, 0.0},
    // The smoothing angle applies where FLAG has the smoothing bit, 4.
    {"SmoothingInRadians", subChunk("FLAG", u2(4)) + subChunk("SMAN", f4(0.5f)), 1.0 / 64.0, 0.5},
    {"SmoothingBeyondPiIsPi", subChunk("SMAN", f4(7.0f)) + subChunk("FLAG", u2(0x0104)), 1.0 / 64.0,
     kPi},
    {"ZeroSmoothingIsFlat", subChunk("FLAG", u2(4)) + subChunk("SMAN", f4(0.0f)), 1.0 / 64.0, 0.0},
    {"EveryOptionButSmoothingIsFlat", subChunk("FLAG", u2(0xFFFB)) + subChunk("SMAN", f4(0.5f)),
     1.0 / 64.0, 0.0},
    {"AngleWithoutOptionsIsFlat", subChunk("SMAN", f4(0.5f)), 1.0 / 64.0, 0.0},
};

void PrintTo(const Conversion& c, std::ostream* out) { *out << c.name; }

class Lwo2Conversion : public ::testing::TestWithParam<Conversion> {};
class LwobConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(Lwo2Conversion, GivesRoughnessAndSmoothing) {
    const models::Surface s = onlySurface(form("LWO2", lwo2Surface("S", GetParam().subs)));
    EXPECT_NEAR(s.base.roughness / GetParam().roughness, 1.0, 1e-6);  // of a float glossiness
    EXPECT_NEAR(s.smoothingAngle, GetParam().smoothingAngle, 1e-6);
}

TEST_P(LwobConversion, GivesRoughnessAndSmoothing) {
    const models::Surface s = onlySurface(form("LWOB", lwobSurface("S", GetParam().subs)));
    EXPECT_NEAR(s.base.roughness / GetParam().roughness, 1.0, 1e-9);
    EXPECT_NEAR(s.smoothingAngle, GetParam().smoothingAngle, 1e-6);
}

const auto kConversionName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(SurfaceValues, Lwo2Conversion, ::testing::ValuesIn(kLwo2Conversions),
                         kConversionName);
INSTANTIATE_TEST_SUITE_P(SurfaceValues, LwobConversion, ::testing::ValuesIn(kLwobConversions),
                         kConversionName);

}  // namespace
