// Files the preview refuses: command lines whose files collide (exit 2, before any work),
// inputs that cannot be what they are named for (exit 1, from their first bytes); and
// files it replaces, which keep their permissions.
#include <sys/stat.h>
#include <unistd.h>

#include "preview_fixture.h"

namespace {

using Files = PreviewTest;

struct Refusal {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

// The folder holds model.png (an OBJ model under a picture's name), p.txt (parameters),
// a folder, a model and a parameter file (longer than the 4 KiB sampled) of control
// bytes, parameters followed by 64 KiB of blank lines, and a sparse file of 3 GiB.
const Refusal kRefusals[] = {
    {"TwoReadStandardInput", {"--mesh", "-", "--load", "-"}, 2, "both read standard input"},
    {"TwoWriteStandardOutput", {"-o", "-", "--save", "-"}, 2, "both write standard output"},
    {"ListAndPicture", {"--list-presets", "-o", "-"}, 2, "both write standard output"},
    {"SameOutputTwice", {"--panel", "a.png", "--sheet", "./a.png"}, 2, "name the same file"},
    {"OutputOverTheModel", {"--mesh", "model.png", "-o", "model.png"}, 2, "destroy"},
    {"SaveOverTheLoad", {"--load", "p.txt", "--save", "folder/../p.txt"}, 2, "destroy"},
    {"PictureInAnotherFormat", {"-o", "x.tif"}, 2, "cannot write .tif pictures"},
    {"PanelAsJpeg", {"--panel", "x.JPG"}, 2, "cannot write .JPG pictures"},
    {"ModuleFromStandardInput", {"--module", "-"}, 2, "--module"},
    {"CreaseNotANumber", {"--crease", "nan"}, 2, "\"nan\" is not a number"},
    {"ModelIsAFolder", {"--mesh", "folder"}, 1, "cannot read folder: it is a directory"},
    {"ModelOfZeros", {"--mesh", "/dev/zero"}, 1, "/dev/zero is not an OBJ model: it is not text"},
    {"ModelOfControlBytes", {"--mesh", "controls.obj"}, 1, "are control characters"},
    {"ModelTooLarge", {"--mesh", "sparse.obj"}, 1, "sparse.obj: it is larger than 2 GiB"},
    {"ParametersWithoutEnd", {"--load", "/dev/zero"}, 1, "/dev/zero: it is longer than 64 KiB"},
    {"TextParametersOfControlBytes",
     {"--load", "controls.txt", "--load-mode", "text"},
     1,
     "are control characters"},
    {"TextParametersTooLarge",
     {"--load", "long.txt", "--load-mode", "text"},
     1,
     "long.txt: it is larger than 64 KiB"},
    // Refused before a byte is read, not after the 256 MiB a map may hold.
    {"MapFromADevice",
     {"--map", "luminous=/dev/zero"},
     1,
     "cannot read /dev/zero: it is a character device; a PNG map is read from a file or a pipe"},
};

class Refused : public PreviewTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, BeforeAnythingIsWritten) {
    writeFile(file("model.png"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    writeFile(file("p.txt"), " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n");
    writeFile(file("controls.obj"), "v 0 0 0\n" + std::string(100, '\x1b'));
    writeFile(file("controls.txt"), " 1\n" + std::string(5000, '\x1b'));
    writeFile(file("long.txt"), " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n" + std::string(65536, '\n'));
    std::filesystem::create_directory(file("folder"));
    writeFile(file("sparse.obj"), "");
    std::filesystem::resize_file(file("sparse.obj"), std::uintmax_t{3} << 30);
    const std::vector<std::string> before = entries();
    const Refusal& refusal = GetParam();
    const ToolRun run = this->run(refusal.arguments);
    EXPECT_EQ(run.exitCode, refusal.exitCode) << run.err;
    EXPECT_NE(run.err.find(refusal.message), std::string::npos) << run.err;
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(readFile(file("p.txt")).size(), 24u);
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Preview, Refused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Files, AReplacedFileKeepsItsPermissionsAndOwner) {
    writeFile(file("p.txt"), "old");
    ASSERT_EQ(chmod(file("p.txt").c_str(), 0444), 0);
    const bool root = geteuid() == 0;  // only root may give the file away
    if (root) {
        ASSERT_EQ(chown(file("p.txt").c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(run({"--save", "p.txt"}).exitCode, 0);
    struct stat status {};
    ASSERT_EQ(stat(file("p.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    if (root) {
        EXPECT_EQ(status.st_uid, 65534u);
    }
    EXPECT_EQ(readFile(file("p.txt")).size(), 70u);
}

}  // namespace
