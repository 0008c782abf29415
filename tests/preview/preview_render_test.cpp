// The preview command's pictures (the references are in reference_pictures_test.cpp):
// thread counts that must not change a byte, the panel, the sheets, a quiet stderr.
#include <algorithm>
#include <cstdlib>

#include "common/lwo_cubes.h"
#include "png_reader.h"
#include "preview_fixture.h"

namespace {

const std::vector<std::string> kSmall{"--width", "160", "--height", "120"};

std::vector<std::string> with(std::vector<std::string> base, const std::vector<std::string>& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

using Render = PreviewTest;

TEST_F(Render, ThreadCountDoesNotChangeAByte) {
    ASSERT_EQ(run(with(kSmall, {"--threads", "1", "-o", "one.png"})).exitCode, 0);
    ASSERT_EQ(run(with(kSmall, {"--threads", "5", "-o", "five.png"})).exitCode, 0);
    const std::string one = readFile(file("one.png"));
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(one, readFile(file("five.png")));
}

// Each worker process renders every n-th row with a host and module of its own; the rows
// put together are the one-process picture, whatever n, and a height that does not divide.
TEST_F(Render, WorkerCountDoesNotChangeAByte) {
    const std::vector<std::string> size{"--width", "97", "--height", "61"};
    ASSERT_EQ(run(with(size, {"--workers", "1", "-o", "one.png"})).exitCode, 0);
    const std::string one = readFile(file("one.png"));
    ASSERT_FALSE(one.empty());
    for (const char* workers : {"2", "3"}) {
        const std::string name = std::string(workers) + ".png";
        const ToolRun run = this->run(with(size, {"--workers", workers, "-o", name}));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.err.find(std::string(workers) + " processes"), std::string::npos) << run.err;
        EXPECT_EQ(readFile(file(name)), one) << workers << " workers";
    }
}

// When the render cannot start, the workers already started say nothing: the message comes
// once, from the process that started them.
TEST_F(Render, FailureBeforeRenderingIsReportedOnce) {
    const ToolRun run = this->run({"--workers", "3", "--load", "absent.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

// The workers begin as copies of the tool, output buffers included: what the tool printed
// before they started appears once.
TEST_F(Render, OutputBeforeTheWorkersStartIsPrintedOnce) {
    const ToolRun run =
        this->run(with(kSmall, {"--list-presets", "--workers", "3", "-o", "p.png"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::size_t listed = 0;
    for (std::size_t at = run.out.find("black-velvet"); at != std::string::npos;
         at = run.out.find("black-velvet", at + 1)) {
        ++listed;
    }
    EXPECT_EQ(listed, 1u) << run.out;
}

// Warnings about the parameters, and about the scene the session makes, come from the
// process that started the workers, once.
TEST_F(Render, WarningIsPrintedOnceWhateverTheWorkers) {
    for (const std::vector<std::string>& warned :
         {std::vector<std::string>{"--density", "50"}, {"--color", "2,0,0"}}) {
        const ToolRun run = this->run(with(with(kSmall, {"--workers", "3"}), warned));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::size_t warning = run.err.find("warning");
        ASSERT_NE(warning, std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("warning", warning + 1), std::string::npos) << run.err;
    }
}

TEST_F(Render, ParametersChangeThePicture) {
    ASSERT_EQ(run(with(kSmall, {"-o", "default.png"})).exitCode, 0);
    ASSERT_EQ(run(with(kSmall, {"--density", "0", "-o", "flat.png"})).exitCode, 0);
    ASSERT_EQ(run(with(kSmall, {"--no-shadows", "-o", "unshadowed.png"})).exitCode, 0);
    const std::string reference = readFile(file("default.png"));
    EXPECT_NE(reference, readFile(file("flat.png")));
    EXPECT_NE(reference, readFile(file("unshadowed.png")));
}

TEST_F(Render, ImageHasTheRequestedSize) {
    ASSERT_EQ(run({"--width", "33", "--height", "17", "-o", "odd.png"}).exitCode, 0);
    const auto image = readPng(file("odd.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 33);
    EXPECT_EQ(image->height, 17);
}

TEST_F(Render, NoArgumentsWritesPreviewPngAndSaysWhere) {
    const ToolRun run = this->run({"--samples", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(readPng(file("preview.png").string()));
    // One status line on stderr, and no progress bar when stderr is not a terminal.
    EXPECT_EQ(run.err.rfind("wrote preview.png", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(", 1 sample per pixel, "), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(Render, PanelPictureIsThePanelsSize) {
    const ToolRun run = this->run({"--panel", "panel.png"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto panel = readPng(file("panel.png").string());
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->width, 386);
    EXPECT_EQ(panel->height, 140);
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));  // only the panel was asked for
}

TEST_F(Render, PanelShowsTheGivenParameters) {
    ASSERT_EQ(run({"--panel", "default.png"}).exitCode, 0);
    ASSERT_EQ(run({"--panel", "changed.png", "--density", "0.4"}).exitCode, 0);
    EXPECT_NE(readFile(file("default.png")), readFile(file("changed.png")));
}

// The module paints the swatch from the panel's drawing callback, as the host draws the
// panel when it opens it.
TEST_F(Render, PanelSwatchShowsTheSpecularColour) {
    auto redPixels = [](const render::Image& image) {
        int count = 0;
        for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3)
            count += image.rgb[i] == 255 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 0;
        return count;
    };
    ASSERT_EQ(run({"--panel", "white.png"}).exitCode, 0);
    ASSERT_EQ(run({"--panel", "red.png", "--specular-color", "1,0,0"}).exitCode, 0);
    const auto white = readPng(file("white.png").string());
    const auto red = readPng(file("red.png").string());
    ASSERT_TRUE(white && red);
    EXPECT_EQ(redPixels(*white), 0);
    EXPECT_GE(redPixels(*red), 40 * 17);  // the whole swatch box
}

TEST_F(Render, SheetsHaveOneCellPerSetting) {
    const ToolRun run =
        this->run({"--samples", "1", "--sheet", "sheet.png", "--switch-sheet", "switches.png"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto sheet = readPng(file("sheet.png").string());
    const auto switches = readPng(file("switches.png").string());
    ASSERT_TRUE(sheet && switches);
    EXPECT_GT(sheet->width, 5 * 160);     // five densities across
    EXPECT_GT(sheet->height, 5 * 120);    // five roughnesses down
    EXPECT_GT(switches->width, 2 * 160);  // two settings of each switch
    EXPECT_LT(switches->width, sheet->width);
    EXPECT_GT(switches->height, 2 * 120);
}

TEST_F(Render, UsersModelIsRenderedFromItsObjFile) {
    writeFile(file("cube.obj"),
              "v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\nv 0 0 10\nv 10 0 10\nv 10 10 10\n"
              "v 0 10 10\nf 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\nf 4 8 7 3\nf 1 5 8 4\nf 2 3 7 6\n"
              "f 1 1 2\n");
    const ToolRun run =
        this->run(with(kSmall, {"--mesh", "cube.obj", "-o", "cube.png", "--verbose"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // Said as the import meets it, before the stages that follow.
    const std::size_t warning = run.err.find("cube.obj: 1 triangle without area left out");
    EXPECT_LT(warning, run.err.find("build the Embree scene")) << run.err;
    ASSERT_EQ(this->run(with(kSmall, {"-o", "cloth.png"})).exitCode, 0);
    ASSERT_EQ(this->run(with(kSmall, {"--scene", "sphere", "-o", "sphere.png"})).exitCode, 0);
    const std::string cube = readFile(file("cube.png"));
    EXPECT_FALSE(cube.empty());
    EXPECT_NE(cube, readFile(file("cloth.png")));
    EXPECT_NE(readFile(file("sphere.png")), readFile(file("cloth.png")));
}

// The preview's file when -o is not given, as scripts/preview.sh names it; it is not
// written when only other files are asked for.
TEST_F(Render, DefaultOutputComesFromTheEnvironment) {
    const ToolStreams streams{.environment = {"PELORIX3_PREVIEW_OUTPUT=out.png"}};
    ASSERT_EQ(run({"--save", "p.txt"}, streams).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(file("out.png")));
    EXPECT_NE(run({"--help"}, streams).out.find("--output FILE=out.png"), std::string::npos);
    const ToolRun rendered = run(with(kSmall, {"--samples", "1"}), streams);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    EXPECT_TRUE(readPng(file("out.png").string()));
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

// An option the pictures asked for do not use, or a colour no panel shows, is named.
struct UnusedOption {
    const char* name;
    std::vector<std::string> arguments;
    const char* warning;  // null: none at all
};

void PrintTo(const UnusedOption& option, std::ostream* out) { *out << option.name; }

const char* const kNormalsGiven = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n";
const char* const kNoNormals = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";

const UnusedOption kUnusedOptions[] = {
    {"CreaseForTheCloth", {"--crease", "30"}, "--crease is not used: it applies to a model"},
    {"CreaseForGivenNormals",
     {"--crease", "30", "--mesh", "normals.obj"},
     "--crease is not used: normals.obj gives its own normal at every corner"},
    {"CreaseForComputedNormals", {"--crease", "30", "--mesh", "plain.obj"}, nullptr},
    {"CreaseForAnObjectFile", {"--crease", "30", "--mesh", "cube.lwo"}, nullptr},
    {"SizeOfASheet",  // beside the --width of every case
     {"--switch-sheet", "s.png"},
     "--width and --height size the preview only; each cell of a contact sheet is 160 x 120"},
    {"SurfaceColourAboveOne", {"--color", "2,0,0"}, "surface colour red 2 is 510"},
};

class UnusedOptions : public PreviewTest, public ::testing::WithParamInterface<UnusedOption> {};

TEST_P(UnusedOptions, AreNamedInAWarning) {
    writeFile(file("normals.obj"), kNormalsGiven);
    writeFile(file("plain.obj"), kNoNormals);
    writeFile(file("cube.lwo"), lwo_cubes::lwo2Cube());
    const UnusedOption& option = GetParam();
    const ToolRun run = this->run(with(
        {"--samples", "1", "--width", "16", "--height", "12", "-o", "p.png"}, option.arguments));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    if (option.warning) {
        EXPECT_NE(run.err.find(std::string("warning: ") + option.warning), std::string::npos)
            << run.err;
    } else {
        EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Preview, UnusedOptions, ::testing::ValuesIn(kUnusedOptions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Render, VerboseTimesEveryStage) {
    const ToolRun run = this->run(with(kSmall, {"--verbose", "-o", "timed.png"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* stage : {"make the cloth (99458 triangles)", "build the Embree scene",
                              "load the module, create the instance",
                              "render 160 x 120, 4 samples per pixel", "write timed.png"}) {
        EXPECT_NE(run.err.find(stage), std::string::npos) << stage << " in " << run.err;
    }
    const std::string quiet = this->run(with(kSmall, {"-o", "quiet.png"})).err;
    EXPECT_EQ(std::count(quiet.begin(), quiet.end(), '\n'), 1) << quiet;  // its status line
}

}  // namespace
