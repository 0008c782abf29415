// The seven-value parameter block as the renderer stores it with a scene.
#include <string>
#include <vector>

#include "host/storage_states.h"
#include "module_fixture.h"

namespace {

std::string item(const std::string& text) { return text + std::string(1, '\0'); }

using Storage = ModuleTest;

TEST_F(Storage, DefaultsInTextModeAreSevenTerminatedItems) {
    standin::ShaderInstance instance = create();
    standin::MemorySaveState saved(HOST_IO_ASCII);
    EXPECT_EQ(instance.save(saved.state()), nullptr);
    const std::vector<std::string> expected = {
        item(" 1.000000"), item(" 0.330000"), item(" 1.000000"), item(" 1.000000"),
        item(" 1.000000"), item(" 1.000000"), item(" 0.000000")};
    EXPECT_EQ(saved.items(), expected);
}

TEST_F(Storage, DefaultsInBinaryModeAreTwentyEightBigEndianBytes) {
    standin::ShaderInstance instance = create();
    standin::MemorySaveState saved(HOST_IO_BINARY);
    instance.save(saved.state());
    const std::string expected(
        "\x3F\x80\x00\x00"
        "\x3E\xA8\xF5\xC3"
        "\x3F\x80\x00\x00\x3F\x80\x00\x00\x3F\x80\x00\x00"
        "\x3F\x80\x00\x00"
        "\x00\x00\x00\x00",
        28);
    EXPECT_EQ(saved.bytes(), expected);
}

TEST_F(Storage, NegativeValuesKeepTheirSignInBothModes) {
    standin::ShaderInstance instance = create();
    auto load = standin::MemoryLoadState::text(
        {item(" -2.000000"), item(" -0.500000"), item(" -1.000000"), item(" 0.250000"),
         item(" -0.125000"), item(" -1.000000"), item(" 0.000000")});
    instance.load(load.state());

    standin::MemorySaveState text(HOST_IO_ASCII);
    instance.save(text.state());
    const std::vector<std::string> expectedText = {
        item(" -2.000000"), item(" -0.500000"), item(" -1.000000"), item(" 0.250000"),
        item(" -0.125000"), item(" -1.000000"), item(" 0.000000")};
    EXPECT_EQ(text.items(), expectedText);

    standin::MemorySaveState binary(HOST_IO_BINARY);
    instance.save(binary.state());
    const std::string expected(
        "\xC0\x00\x00\x00\xBF\x00\x00\x00\xBF\x80\x00\x00\x3E\x80\x00\x00"
        "\xBE\x00\x00\x00\xBF\x80\x00\x00\x00\x00\x00\x00",
        28);
    EXPECT_EQ(binary.bytes(), expected);
}

TEST_F(Storage, CopyTakesTheParametersOfAnInstanceWithTheSameName) {
    standin::ShaderInstance source = create();
    auto load =
        standin::MemoryLoadState::text({item(" 0.5"), item(" 0.75"), item(" 0.1"), item(" 0.2"),
                                        item(" 0.3"), item(" 0"), item(" 1")});
    source.load(load.state());
    standin::ShaderInstance target = create();
    EXPECT_EQ(source.copyTo(target), nullptr);

    standin::MemorySaveState fromSource(HOST_IO_ASCII);
    standin::MemorySaveState fromTarget(HOST_IO_ASCII);
    source.save(fromSource.state());
    target.save(fromTarget.state());
    EXPECT_EQ(fromTarget.items(), fromSource.items());
    EXPECT_EQ(fromTarget.items()[1], item(" 0.750000"));
}

TEST_F(Storage, BinaryBlockLoadsAtSinglePrecisionAndSavesTheSameBytes) {
    standin::ShaderInstance instance = create();
    const std::string block(
        "\x3E\x99\x99\x9A\x3F\x40\x00\x00\x3F\x00\x00\x00\x3E\x80\x00\x00"
        "\x3D\xCC\xCC\xCD\x00\x00\x00\x00\x3F\x80\x00\x00",
        28);
    auto load = standin::MemoryLoadState::binary(block);
    instance.load(load.state());
    standin::MemorySaveState binary(HOST_IO_BINARY);
    instance.save(binary.state());
    EXPECT_EQ(binary.bytes(), block);
    standin::MemorySaveState text(HOST_IO_ASCII);
    instance.save(text.state());
    EXPECT_EQ(text.items()[0], item(" 0.300000"));
    EXPECT_EQ(text.items()[4], item(" 0.100000"));
    EXPECT_EQ(text.items()[6], item(" 1.000000"));
}

}  // namespace
