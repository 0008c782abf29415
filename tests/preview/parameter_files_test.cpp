// Parameter files written and read back through the module, in both of the renderer's
// forms, byte for byte as a scene stores them.
#include "preview_fixture.h"

namespace {

const std::string kDefaultsText =
    " 1.000000\n 0.330000\n 1.000000\n 1.000000\n 1.000000\n 1.000000\n 0.000000\n";
// 1.0, 0.33, 1.0, 1.0, 1.0, 1.0, 0.0 as big-endian single floats.
const std::string kDefaultsBinary = std::string(
    "\x3f\x80\x00\x00\x3e\xa8\xf5\xc3\x3f\x80\x00\x00\x3f\x80\x00\x00"
    "\x3f\x80\x00\x00\x3f\x80\x00\x00\x00\x00\x00\x00",
    28);

using ParameterFiles = PreviewTest;

TEST_F(ParameterFiles, DefaultsAreSavedInTheStoredForms) {
    ASSERT_EQ(run({"--save", "text.txt"}).exitCode, 0);
    ASSERT_EQ(run({"--save", "text2.txt", "--mode", "text"}).exitCode, 0);
    ASSERT_EQ(run({"--save", "binary.bin", "--mode", "binary"}).exitCode, 0);
    EXPECT_EQ(readFile(file("text.txt")), kDefaultsText);
    EXPECT_EQ(readFile(file("text2.txt")), kDefaultsText);
    EXPECT_EQ(readFile(file("binary.bin")), kDefaultsBinary);
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));  // only the save was asked for
}

TEST_F(ParameterFiles, CommandLineParametersAreSaved) {
    const ToolRun run = this->run({"--save", "p.txt", "--density", "0.25", "--transparency", "0.5",
                                   "--specular-color", "0.2,0.4,0.8", "--dont-overlap-shadows",
                                   "off", "--density-by-luminosity", "on"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file("p.txt")),
              " 0.250000\n 0.500000\n 0.200000\n 0.400000\n 0.800000\n 0.000000\n 1.000000\n");
}

TEST_F(ParameterFiles, LoadedFileIsSavedBackUnchangedInEachMode) {
    const std::string text =
        " 0.750000\n 0.125000\n 0.500000\n 0.250000\n 1.000000\n 0.000000\n 1.000000\n";
    writeFile(file("in.txt"), text);
    ASSERT_EQ(run({"--load", "in.txt", "--save", "out.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("out.txt")), text);

    // --mode sets the form of both files; values exact in single precision.
    ASSERT_EQ(run({"--save", "out.bin", "--mode", "binary", "--density", "0.75",
                   "--transparency", "0.125", "--specular-color", "0.5,0.25,1",
                   "--dont-overlap-shadows", "off", "--density-by-luminosity", "on"})
                  .exitCode,
              0);
    EXPECT_EQ(readFile(file("out.bin")),
              std::string("\x3f\x40\x00\x00\x3e\x00\x00\x00\x3f\x00\x00\x00\x3e\x80\x00\x00"
                          "\x3f\x80\x00\x00\x00\x00\x00\x00\x3f\x80\x00\x00",
                          28));
    const ToolRun again = run({"--load", "out.bin", "--save", "again.bin", "--mode", "binary"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(readFile(file("again.bin")), readFile(file("out.bin")));
    // Auto reads binary by its content and saves text.
    ASSERT_EQ(run({"--load", "out.bin", "--save", "back.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("back.txt")), text);
}

TEST_F(ParameterFiles, CommandLineOverridesTheLoadedFile) {
    writeFile(file("in.txt"),
              " 0.750000\n 0.125000\n 0.500000\n 0.250000\n 1.000000\n 0.000000\n 1.000000\n");
    ASSERT_EQ(run({"--load", "in.txt", "--density", "2", "--save", "out.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("out.txt")),
              " 2.000000\n 0.125000\n 0.500000\n 0.250000\n 1.000000\n 0.000000\n 1.000000\n");
}

TEST_F(ParameterFiles, WindowsLineEndsAndBlanksAreRead) {
    writeFile(file("in.txt"), "0.5\r\n 0.33 \r\n1\r\n1\r\n1\r\n1\r\n0\r\n");
    ASSERT_EQ(run({"--load", "in.txt", "--save", "out.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("out.txt")),
              " 0.500000\n 0.330000\n 1.000000\n 1.000000\n 1.000000\n 1.000000\n 0.000000\n");
}

TEST_F(ParameterFiles, SwitchesAreTruncatedAsTheModuleStoresThem) {
    writeFile(file("in.txt"), " 1\n 0.33\n 1\n 1\n 1\n 1.9\n 0.7\n");
    ASSERT_EQ(run({"--load", "in.txt", "--save", "out.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("out.txt")),
              " 1.000000\n 0.330000\n 1.000000\n 1.000000\n 1.000000\n 1.000000\n 0.000000\n");
}

TEST_F(ParameterFiles, ExistingFileIsReplacedWhole) {
    writeFile(file("out.txt"), std::string(1000, 'x'));
    ASSERT_EQ(run({"--save", "out.txt"}).exitCode, 0);
    EXPECT_EQ(readFile(file("out.txt")), kDefaultsText);
    EXPECT_EQ(entries().size(), 1u);  // no temporary left beside it
}

}  // namespace
