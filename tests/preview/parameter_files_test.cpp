// Parameter files written and read back through the module, in both of the renderer's
// forms, byte for byte as a scene stores them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    ASSERT_EQ(run({"--save", "out.bin", "--mode", "binary", "--density", "0.75", "--transparency",
                   "0.125", "--specular-color", "0.5,0.25,1", "--dont-overlap-shadows", "off",
                   "--density-by-luminosity", "on"})
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

TEST_F(ParameterFiles, TrailingBlankLinesAreAccepted) {
    writeFile(file("in.txt"), kDefaultsText + "\n  \r\n\n");
    const ToolRun run = this->run({"--load", "in.txt", "--save", "out.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file("out.txt")), kDefaultsText);
}

TEST_F(ParameterFiles, LoadAndSaveFormsAreChosenSeparately) {
    writeFile(file("in.txt"), kDefaultsText);
    const ToolRun run = this->run(
        {"--load", "in.txt", "--load-mode", "text", "--save", "out.bin", "--save-mode", "binary"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file("out.bin")), kDefaultsBinary);
    // The specific option wins over --mode, whatever the order on the command line.
    ASSERT_EQ(this->run({"--save-mode", "text", "--mode", "binary", "--save", "t.txt"}).exitCode,
              0);
    EXPECT_EQ(readFile(file("t.txt")), kDefaultsText);
}

TEST_F(ParameterFiles, SavingThroughASymbolicLinkReplacesItsTarget) {
    writeFile(file("target.txt"), "old");
    std::filesystem::create_symlink("target.txt", file("link.txt"));
    ASSERT_EQ(run({"--save", "link.txt"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(file("link.txt")));
    EXPECT_EQ(readFile(file("target.txt")), kDefaultsText);
}

TEST_F(ParameterFiles, SavingToAPipeWritesIntoThePipe) {
    ASSERT_EQ(mkfifo(file("pipe").c_str(), 0600), 0);
    // Opened for reading first without blocking, so the tool's write finds a reader and
    // the test never waits on a pipe the tool might have replaced.
    const int reader = open(file("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const ToolRun run = this->run({"--save", "pipe"});
    char buffer[256] = {};
    const ssize_t got = read(reader, buffer, sizeof buffer);
    close(reader);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_fifo(file("pipe")));
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), kDefaultsText);
}

TEST_F(ParameterFiles, ValuesThePanelCannotShowAreKeptWithAWarning) {
    const ToolRun run =
        this->run({"--density", "50", "--specular-color", "1,2,1", "--save", "p.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(file("p.txt")),
              " 50.000000\n 0.330000\n 1.000000\n 2.000000\n 1.000000\n 1.000000\n 0.000000\n");
    EXPECT_NE(run.err.find("density 50 shows as 5000 %"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("green 2 is 510"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("transparency"), std::string::npos) << run.err;
    EXPECT_EQ(this->run({"--density", "0.5", "--save", "q.txt"}).err, "wrote q.txt (parameters)\n");
}

// A block holds the shader's values alone: where a render uses the surface, the tool says
// once (not once per worker) where the surface inputs come from; a conversion uses none.
TEST_F(ParameterFiles, ABlockLoadedAloneSaysOnceWhereTheSurfaceComesFrom) {
    writeFile(file("in.txt"), kDefaultsText);
    const ToolRun render = run({"--load", "in.txt", "--workers", "2", "--width", "8", "--height",
                                "6", "--samples", "1", "-o", "p.png"});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const std::string note = "note: in.txt holds the shader's stored values only";
    const std::size_t first = render.err.find(note);
    ASSERT_NE(first, std::string::npos) << render.err;
    EXPECT_EQ(render.err.find(note, first + 1), std::string::npos) << render.err;
    EXPECT_NE(render.err.find("--preset NAME"), std::string::npos) << render.err;
    const ToolRun converted = run({"--load", "in.txt", "--save", "out.txt"});
    EXPECT_EQ(converted.err.find("note:"), std::string::npos) << converted.err;
}

}  // namespace
