#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/ray_call_list.h"
#include "framework/shader_activation.h"
#include "host/storage_states.h"
#include "shader/sheen_shader.h"

namespace pelorix3 {
namespace {

// Loads a text block of the given items into a shader that holds the defaults.
void loadText(SheenShader& shader, std::vector<std::string> items) {
    auto load = standin::MemoryLoadState::text(std::move(items));
    EXPECT_EQ(shader.load(&load.state()), nullptr);
}

std::string item(const char* text) { return std::string(text) + std::string(1, '\0'); }

TEST(SheenParameters, DefaultsAreTheDocumentedOnes) {
    SheenShader shader;
    shader.setDefaults();
    EXPECT_EQ(shader.density, 1.0);
    EXPECT_EQ(shader.transparency, 0.33);
    EXPECT_EQ(shader.specularColor.x, 1.0);
    EXPECT_EQ(shader.specularColor.y, 1.0);
    EXPECT_EQ(shader.specularColor.z, 1.0);
    EXPECT_EQ(shader.dontOverlapShadows, 1);
    EXPECT_EQ(shader.densityByLuminosity, 0);
}

TEST(SheenParameters, CopyTakesTheParametersAndKeepsPanelTimeAndList) {
    RayCallList sourceList{};
    RayCallList targetList{};
    SheenShader source;
    source.setDefaults();
    source.density = 0.25;
    source.specularColor = {0.1, 0.2, 0.3};
    source.densityByLuminosity = 1;
    source.time = 9.0;
    source.rayCallList = &sourceList;
    source.name = "another";
    std::strcpy(source.description, "another line");
    SheenShader target;
    target.time = 2.0;
    target.flags = 7;
    target.rayCallList = &targetList;
    source.flags = 2;
    target.copy(source);
    EXPECT_EQ(target.density, 0.25);
    EXPECT_EQ(target.transparency, 0.33);
    EXPECT_EQ(target.specularColor.x, 0.1);
    EXPECT_EQ(target.specularColor.y, 0.2);
    EXPECT_EQ(target.specularColor.z, 0.3);
    EXPECT_EQ(target.dontOverlapShadows, 1);
    EXPECT_EQ(target.densityByLuminosity, 1);
    EXPECT_EQ(target.flags, 2u);
    EXPECT_EQ(target.name, source.name);
    EXPECT_STREQ(target.description, "another line");
    EXPECT_EQ(target.time, 2.0);
    EXPECT_EQ(target.panel, nullptr);
    EXPECT_EQ(target.rayCallList, &targetList);
}

// The longest description line, 63 characters, is copied whole.
TEST(SheenParameters, CopyKeepsTheLongestDescriptionLine) {
    SheenShader source;
    SheenShader target;
    const std::string longest(HostServer::descriptionSize - 1, 'x');
    std::strcpy(source.description, longest.c_str());
    target.copy(source);
    EXPECT_EQ(std::string(target.description), longest);
}

TEST(SheenParameters, TextRoundTripRestoresSwitchesExactlyAndSixDecimals) {
    SheenShader source;
    source.setDefaults();
    source.density = 0.1234567;
    source.dontOverlapShadows = 0;
    source.densityByLuminosity = 5;
    standin::MemorySaveState saved(HOST_IO_ASCII);
    source.save(&saved.state());
    ASSERT_EQ(saved.items().size(), 7u);

    SheenShader target;
    auto load = standin::MemoryLoadState::from(saved);
    target.load(&load.state());
    EXPECT_EQ(target.density, 0.123457);
    EXPECT_EQ(target.transparency, 0.33);
    EXPECT_EQ(target.dontOverlapShadows, 0);
    EXPECT_EQ(target.densityByLuminosity, 5);
}

TEST(SheenParameters, BinaryRoundTripKeepsSinglePrecision) {
    SheenShader source;
    source.setDefaults();
    standin::MemorySaveState saved(HOST_IO_BINARY);
    source.save(&saved.state());
    EXPECT_EQ(saved.bytes().size(), 28u);
    SheenShader target;
    auto load = standin::MemoryLoadState::from(saved);
    target.load(&load.state());
    EXPECT_EQ(target.transparency, 0.33000001311302185);
    EXPECT_EQ(target.density, 1.0);
    EXPECT_EQ(target.dontOverlapShadows, 1);
}

TEST(SheenParameters, StoredSwitchesTruncateTowardZeroAndClampToInt) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {
        {" 0.700000", 0},       {" 1.900000", 1},    {" -0.500000", 0},
        {" 2.000000", 2},       {" -3.700000", -3},  {" 1e+20", INT32_MAX},
        {" -1e+20", INT32_MIN}, {" inf", INT32_MAX}, {" -inf", INT32_MIN},
    };
    for (const auto& c : cases) {
        SheenShader shader;
        shader.setDefaults();
        loadText(shader, {item(" 1"), item(" 1"), item(" 1"), item(" 1"), item(" 1"),
                          item(c.stored), item(c.stored)});
        EXPECT_EQ(shader.dontOverlapShadows, c.expected) << c.stored;
        EXPECT_EQ(shader.densityByLuminosity, c.expected) << c.stored;
    }
}

TEST(SheenParameters, NotANumberSwitchKeepsTheCurrentSetting) {
    SheenShader shader;
    shader.setDefaults();
    loadText(shader, {item(" 1"), item(" 1"), item(" 1"), item(" 1"), item(" 1"), item(" nan"),
                      item(" nan")});
    EXPECT_EQ(shader.dontOverlapShadows, 1);
    EXPECT_EQ(shader.densityByLuminosity, 0);
}

TEST(SheenParameters, DoublesAreStoredUnvalidated) {
    SheenShader shader;
    shader.setDefaults();
    loadText(shader, {item(" -2.000000"), item(" 1.500000"), item(" 7.000000"), item(" -1.0"),
                      item(" 0"), item(" 0"), item(" 1")});
    EXPECT_EQ(shader.density, -2.0);
    EXPECT_EQ(shader.transparency, 1.5);
    EXPECT_EQ(shader.specularColor.x, 7.0);
    EXPECT_EQ(shader.specularColor.y, -1.0);
}

TEST(SheenParameters, AShortOrDamagedBlockKeepsWhatItDoesNotHold) {
    SheenShader shader;
    shader.setDefaults();
    loadText(shader, {item(" 0.500000"), item("garbage")});
    EXPECT_EQ(shader.density, 0.5);
    EXPECT_EQ(shader.transparency, 0.33);    // no number in the item
    EXPECT_EQ(shader.specularColor.x, 1.0);  // end of data
    EXPECT_EQ(shader.dontOverlapShadows, 1);

    SheenShader binary;
    binary.setDefaults();
    auto load = standin::MemoryLoadState::binary(std::string("\x3F\x00\x00\x00\x3E", 5));
    binary.load(&load.state());
    EXPECT_EQ(binary.density, 0.5);
    EXPECT_EQ(binary.transparency, 0.33);  // one byte is no value
    EXPECT_EQ(binary.densityByLuminosity, 0);
}

TEST(SheenParameters, DescriptionLineIsTheNameCutToTheBuffer) {
    SheenShader shader;
    shader.describe(shader.description, sizeof shader.description);
    EXPECT_STREQ(shader.description, "unnamed");
    const std::string longName(100, 'x');
    shader.name = longName.c_str();
    shader.describe(shader.description, sizeof shader.description);
    EXPECT_EQ(std::string(shader.description), std::string(63, 'x'));
}

// The host hands over a buffer of its own, which may hold anything: the description is
// terminated in it whatever it held, and a one-byte buffer receives the empty text.
TEST(SheenParameters, DescriptionIsTerminatedInADirtyBuffer) {
    SheenShader shader;
    char buffer[16];
    std::memset(buffer, 'Z', sizeof buffer);
    shader.describe(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "unnamed");

    char single = 'Z';
    shader.describe(&single, 1);
    EXPECT_EQ(single, '\0');
}

// A buffer of no size has no room even for the terminator: nothing is written.
TEST(SheenParameters, ABufferOfNoSizeIsLeftAsItIs) {
    SheenShader shader;
    char buffer[16];
    std::memset(buffer, 'Z', sizeof buffer);
    shader.describe(buffer, 0);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'Z'));
}

}  // namespace
}  // namespace pelorix3
