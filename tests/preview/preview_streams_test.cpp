// The preview's inputs and outputs as streams: every input read once, however many
// processes render, so pipes and standard input work; "-" for standard input and output;
// standard output carrying nothing but what was asked to go there, and its failure seen;
// and no pipe where a file belongs (in a look folder, the module) waited on.
#include <sys/stat.h>

#include <filesystem>

#include "png_reader.h"
#include "preview_fixture.h"

namespace {

using Streams = PreviewTest;

const std::string kDefaultsText =
    " 1.000000\n 0.330000\n 1.000000\n 1.000000\n 1.000000\n 1.000000\n 0.000000\n";
const std::string kTetrahedron =
    "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 3 2\nf 1 2 4\nf 1 4 3\nf 2 3 4\n";
const std::vector<std::string> kSmall{"--width", "40", "--height", "30", "--samples", "1"};

std::vector<std::string> with(std::vector<std::string> base, const std::vector<std::string>& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

// Each input through a pipe, rendered by three processes, gives the picture the file
// gives to one: no worker reads the pipe again.
struct PipedInput {
    const char* name;
    const char* option;
    std::string contents;
};

void PrintTo(const PipedInput& input, std::ostream* out) { *out << input.name; }

class PipedInputs : public PreviewTest, public ::testing::WithParamInterface<PipedInput> {};

TEST_P(PipedInputs, AreReadOnceForEveryWorker) {
    const PipedInput& input = GetParam();
    writeFile(file("input"), input.contents);
    ASSERT_EQ(
        run(with(kSmall, {input.option, "input", "--workers", "1", "-o", "file.png"})).exitCode, 0);
    const ToolRun piped =
        run(with(kSmall, {input.option, "-", "--workers", "3", "-o", "piped.png"}),
            {.input = input.contents});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(readFile(file("piped.png")), readFile(file("file.png")));
}

INSTANTIATE_TEST_SUITE_P(Preview, PipedInputs,
                         ::testing::Values(PipedInput{"Model", "--mesh", kTetrahedron},
                                           PipedInput{"Parameters", "--load",
                                                      " 0.2\n 0.9\n 1\n 0.5\n 0\n 0\n 1\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Streams, StandardOutputCarriesOnlyThePicture) {
    const ToolRun run = this->run(with(kSmall, {"-o", "-", "--workers", "2"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    writeFile(file("out.png"), run.out);
    const auto image = readPng(file("out.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(run.out.substr(run.out.size() - 8, 4), "IEND");  // nothing after its end
    EXPECT_NE(run.err.find("wrote standard output (preview"), std::string::npos) << run.err;
}

TEST_F(Streams, ParametersGoToStandardOutput) {
    const ToolRun run = this->run({"--save", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kDefaultsText);
}

TEST_F(Streams, AFullStandardOutputFails) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--list-presets"}, std::vector<std::string>{"--save", "-"}}) {
        const ToolRun run = this->run(arguments, {.outputTo = "/dev/full"});
        EXPECT_EQ(run.exitCode, 1) << arguments[0];
        EXPECT_NE(run.err.find("cannot write standard output"), std::string::npos) << run.err;
    }
}

// A pipe inside a look folder, or given as the module, is refused at once rather than
// waited on for a writer that never comes. Without that, the tool would block forever:
// CTest runs these under a time limit of their own.
struct PipeWhereAFileBelongs {
    const char* name;
    const char* pipe;  // in the scratch folder
    std::vector<std::string> arguments;
    const char* message;
};

void PrintTo(const PipeWhereAFileBelongs& c, std::ostream* out) { *out << c.name; }

class PipesWhereFilesBelong : public PreviewTest,
                              public ::testing::WithParamInterface<PipeWhereAFileBelongs> {};

TEST_P(PipesWhereFilesBelong, AreRefusedWithoutWaiting) {
    std::filesystem::create_directory(file("look"));
    writeFile(file("look/parameters.txt"), kDefaultsText);
    writeFile(file("look/look.txt"), "description = piped\n");
    std::filesystem::remove(file(GetParam().pipe));
    ASSERT_EQ(mkfifo(file(GetParam().pipe).c_str(), 0600), 0);
    const ToolRun run = this->run(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Preview, PipesWhereFilesBelong,
    ::testing::Values(
        PipeWhereAFileBelongs{"LookFile",
                              "look/look.txt",
                              {"--preset", "./look", "--save", "p.txt"},
                              "cannot read ./look/look.txt: it is a pipe; a look file is read "
                              "from a regular file only"},
        PipeWhereAFileBelongs{"LookParameters",
                              "look/parameters.txt",
                              {"--preset", "./look", "--save", "p.txt"},
                              "cannot read ./look/parameters.txt: it is a pipe; a parameter "
                              "file is read from a regular file only"},
        PipeWhereAFileBelongs{"Module",
                              "module.so",
                              {"--module", "module.so", "--scene", "sphere", "--save", "p.txt"},
                              "cannot load module module.so: it is a pipe, not a module file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
