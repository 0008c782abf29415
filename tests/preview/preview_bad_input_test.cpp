// Bad input of every kind: a clear message on stderr, a non-zero exit, no crash and no
// file left half-written.
#include <cstring>

#include "host/module_path.h"
#include "png_reader.h"
#include "preview_fixture.h"

namespace {

struct BadInput {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

void PrintTo(const BadInput& input, std::ostream* out) { *out << input.name; }

// Whatever the tool is asked to do, with no file of its own prepared.
const BadInput kBadCommandLines[] = {
    {"UnknownOption", {"--shine", "2"}, 2, "unknown option --shine\n"},  // nothing near
    {"MisspeltOption", {"--densty", "0.5"}, 2, "unknown option --densty; did you mean --density?"},
    {"SwappedLetters", {"--desnity", "0.5"}, 2, "did you mean --density?"},
    {"MisspeltWithItsValue", {"--zom=2"}, 2, "unknown option --zom; did you mean --zoom?"},
    {"StrayArgument", {"picture.png"}, 2, "picture.png"},
    {"DensityNotANumber", {"--density", "lots"}, 2, "\"lots\" is not a number"},
    {"DensityNegative", {"--density", "-1"}, 2, "must be at least 0"},
    {"DensityNotFinite", {"--density", "nan"}, 2, "is not a number"},
    {"RoughnessZero", {"--roughness", "0"}, 2, "must be greater than 0"},
    {"WidthZero", {"--width", "0"}, 2, "--width"},
    {"HeightTooLarge", {"--height", "100000"}, 2, "--height"},
    {"ThreadsNotANumber", {"--threads", "many"}, 2, "--threads"},
    {"ColorTwoValues", {"--color", "1,0"}, 2, "not three numbers"},
    {"ColorNegative", {"--specular-color", "1,-1,0"}, 2, "negative component"},
    {"BlueNegative", {"--key-color", "1,1,-1"}, 2, "negative component"},
    {"RimWithoutDirection", {"--rim-direction", "0,0,0"}, 2, "has no direction"},
    {"SwitchWord", {"--dont-overlap-shadows", "maybe"}, 2, "--dont-overlap-shadows"},
    {"UnknownMode", {"--mode", "xml"}, 2, "--mode"},
    {"ModeAsNumber", {"--mode", "2"}, 2, "2 not in {text,binary,auto}"},
    {"SceneAsNumber", {"--scene", "1"}, 2, "1 not in {cloth,sphere}"},
    {"MissingParameterFile", {"--load", "absent.txt"}, 1, "cannot read absent.txt"},
    {"MissingModule", {"--module", "absent.so"}, 1, "absent.so"},
    {"OutputInsideAFile", {"-o", "blocker/preview.png"}, 1, "cannot write blocker/preview.png"},
    {"SaveInsideAFile", {"--save", "blocker/p.txt"}, 1, "cannot write blocker/p.txt"},
    {"PanelInsideAFile", {"--panel", "blocker/panel.png"}, 1, "cannot write blocker/panel.png"},
    {"ZoomTooClose", {"--zoom", "4"}, 2, "--zoom"},
    {"TurntableNameWithoutNumber", {"--turntable", "3", "-o", "turn.png"}, 2, "has no %d"},
    {"TurntableNameWithTwoNumbers", {"--turntable", "3", "-o", "t%d-%d.png"}, 2, "more than one"},
    {"TurntableNameWithText", {"--turntable", "3", "-o", "t%s%d.png"}, 2, "other than %d"},
    {"TurntableInsideAFile",
     {"--turntable", "2", "--width", "8", "--height", "6", "-o", "blocker/t%d.png"},
     1,
     "cannot write blocker/t0.png"},
    {"TurntableViewIsAnInput",
     {"--turntable", "2", "-o", "view%d", "--load", "view1"},
     2,
     "names the file --load reads"},
    {"CompareOneLook", {"--compare", "felt"}, 2, "give 2 to 12 looks"},
    {"CompareBesideAPreset", {"--compare", "felt,felt", "--preset", "felt"}, 2, "--preset"},
    {"CompareBesideALoad", {"--compare", "felt,felt", "--load", "p.txt"}, 2, "--load"},
    {"CompareUnknownLook", {"--compare", "felt,velvety"}, 1, "\"velvety\" is neither"},
    {"BitDepthTwelve", {"--bit-depth", "12"}, 2, "--bit-depth"},
    {"BitDepthForExr", {"--bit-depth", "16", "-o", "p.exr"}, 2, "--bit-depth is for a PNG"},
    {"BitDepthForATurntable",
     {"--bit-depth", "16", "--turntable", "2"},
     2,
     "for the preview alone"},
    {"SheetAsExr", {"--sheet", "s.exr"}, 2, "cannot write .exr pictures; it writes PNG"},
    {"MapOfNoInput", {"--map", "shine=m.png"}, 2, "with INPUT one of color, diffuse"},
    {"MapBesideItsConstant",
     {"--luminous", "0.5", "--map", "luminous=m.png"},
     2,
     "--luminous and --map luminous both give luminous"},
    {"TwoMapsOfOneInput", {"--map", "color=a.png", "--map", "color=b.png"}, 2, "two maps"},
    {"MissingMap", {"--map", "color=absent.png"}, 1, "cannot read absent.png"},
    {"MapNotAPicture", {"--map", "color=blocker"}, 1, "cannot use blocker as a map: it is not"},
    {"MapsInOneOption", {"--map", "color=a.png", "luminous=b.png"}, 2, "luminous=b.png"},
    // Every output's folder is checked before any work: --save, which comes first, writes
    // nothing either.
    {"OutputFolderMissing",
     {"--save", "p.txt", "-o", "renders/soft.png"},
     1,
     "-o: cannot write renders/soft.png: there is no folder renders"},
    {"ExrFolderMissing", {"-o", "renders/soft.exr"}, 1, "there is no folder renders"},
    {"SheetFolderMissing",
     {"--save", "p.txt", "--sheet", "renders/s.png"},
     1,
     "--sheet: cannot write renders/s.png: there is no folder renders"},
    {"SwitchSheetInsideAFile",
     {"--switch-sheet", "blocker/s.png"},
     1,
     "blocker is a regular file, not a folder"},
    {"LookFolderMissing", {"--save-look", "renders/felt"}, 1, "there is no folder renders"},
    {"LookOverAFile", {"--save-look", "blocker"}, 1, "it is a regular file already"},
    {"LookToStandardOutput", {"--save-look", "-"}, 2, "--save-look: a look is a folder"},
    {"LookBesideAComparison", {"--save-look", "l", "--compare", "felt,felt"}, 2, "--save-look"},
    {"LookWithAMapFromStandardInput",
     {"--save-look", "l", "--map", "luminous=-"},
     2,
     "--map luminous=- is read once from standard input"},
};

class BadCommandLine : public PreviewTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadCommandLine, IsRefusedWithAClearMessage) {
    writeFile(file("blocker"), "a plain file where a folder should be");
    const std::vector<std::string> before = entries();
    const BadInput& input = GetParam();
    const ToolRun run = this->run(input.arguments);
    EXPECT_EQ(run.exitCode, input.exitCode) << run.err;
    EXPECT_NE(run.err.find(input.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("pelorix3-preview: ", 0), 0u) << run.err;
    EXPECT_EQ(entries(), before);  // nothing written, nothing half-written
}

INSTANTIATE_TEST_SUITE_P(Preview, BadCommandLine, ::testing::ValuesIn(kBadCommandLines),
                         [](const auto& info) { return std::string(info.param.name); });

// An empty name names no file, folder or look: refused, naming the option, rather than
// taken as no name (which rendered preview.png in place of the file asked for).
const char* const kNamedOptions[] = {"--save", "--panel",    "--sheet",  "--switch-sheet",
                                     "--load", "--module",   "--preset", "--output",
                                     "--mesh", "--save-look"};

class EmptyName : public PreviewTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EmptyName, IsRefusedNamingItsOption) {
    const ToolRun run = this->run({GetParam(), ""});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.err.find(std::string("pelorix3-preview: ") + GetParam() + ": an empty name"), 0u)
        << run.err;
    EXPECT_TRUE(entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Preview, EmptyName, ::testing::ValuesIn(kNamedOptions),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param; *c; ++c) {
                                 if (*c != '-') name += *c;
                             }
                             return name;
                         });

// Whole numbers are decimal for every option that takes one: 010 is ten (so 8 samples a
// side is the most, and 010 too many), and what the parser alone would read as octal or
// hexadecimal is refused or read as written.
struct NumberForm {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;  // on a refusal
};

void PrintTo(const NumberForm& form, std::ostream* out) { *out << form.name; }

const NumberForm kNumberForms[] = {
    {"LeadingZeroIsDecimal", {"--samples", "08", "--threads", "010"}, 0, ""},
    {"LeadingZeroBeyondTheRange", {"--samples", "010"}, 2, "--samples: 010 is out of range"},
    {"BitDepthWithALeadingZero", {"--bit-depth", "016"}, 0, ""},
    {"TurntableWithALeadingZero", {"--turntable", "0400"}, 2, "0400 is out of range"},
    {"Hexadecimal", {"--height", "0x20"}, 2, "--height: \"0x20\" is not a whole number"},
    {"HexadecimalBitDepth", {"--bit-depth", "0x10"}, 2, "is not a whole number"},
    {"Exponent", {"--workers", "1e1"}, 2, "--workers: \"1e1\" is not a whole number"},
    {"Fraction", {"--width", "2.0"}, 2, "is not a whole number"},
    {"Negative", {"--threads", "-3"}, 2, "-3 is out of range: it must be 1 to 256"},
    {"TooLongForAnyInteger", {"--width", "99999999999999999999"}, 2, "is out of range"},
};

class WholeNumber : public PreviewTest, public ::testing::WithParamInterface<NumberForm> {};

TEST_P(WholeNumber, IsReadInDecimal) {
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.insert(arguments.end(), {"--save", "p.txt"});
    const ToolRun run = this->run(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Preview, WholeNumber, ::testing::ValuesIn(kNumberForms),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTest, AWidthWithALeadingZeroIsTen) {
    ASSERT_EQ(run({"--width", "010", "--height", "6", "--samples", "1", "-o", "p.png"}).exitCode,
              0);
    const std::optional<render::Image> picture = readPng(file("p.png").string());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 10);
}

// Parameter files that cannot be a stored block.
struct BadParameterFile {
    const char* name;
    std::string contents;
    const char* mode;
    const char* message;
};

void PrintTo(const BadParameterFile& input, std::ostream* out) { *out << input.name; }

const BadParameterFile kBadParameterFiles[] = {
    {"Empty", "", "auto", "holds 0 lines"},
    {"SixValues", " 1\n 0.33\n 1\n 1\n 1\n 1\n", "auto", "holds 6 lines"},
    {"EightValues", " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n 0\n", "auto", "holds 8 lines"},
    {"WordInText", " 1\n 0.33\n soft\n 1\n 1\n 1\n 0\n", "auto", "line 3 is not a number"},
    {"NumberWithTail", " 1\n 0.33x\n 1\n 1\n 1\n 1\n 0\n", "text", "line 2 is not a number"},
    {"InfinityInText", " 1\n 0.33\n 1\n 1\n inf\n 1\n 0\n", "text", "line 5"},
    {"ShortBinary", std::string("\x3f\x80\x00\x00\x3e", 5), "auto", "5 bytes long"},
    {"TextReadAsBinary", " 1\n 0.33\n 1\n 1\n 1\n 1\n 0\n", "binary", "bytes long"},
    {"NotANumberInBinary", std::string("\x7f\xc0\x00\x00", 4) + std::string(24, '\0'), "binary",
     "value 1 is not"},
};

class DamagedParameterFile : public PreviewTest,
                             public ::testing::WithParamInterface<BadParameterFile> {};

TEST_P(DamagedParameterFile, IsRefusedAndNothingIsWritten) {
    const BadParameterFile& input = GetParam();
    writeFile(file("params"), input.contents);
    const ToolRun run = this->run({"--load", "params", "--mode", input.mode, "--save", "out.txt"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(input.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("params"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("out.txt")));
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

INSTANTIATE_TEST_SUITE_P(Preview, DamagedParameterFile, ::testing::ValuesIn(kBadParameterFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// Copies of the real module with one thing broken, and a file that is no module at all.
struct BrokenModule {
    const char* name;
    std::string from;  // bytes replaced wherever they occur in the module file
    std::string to;
    const char* message;
};

void PrintTo(const BrokenModule& input, std::ostream* out) { *out << input.name; }

const BrokenModule kBrokenModules[] = {
    {"NoDescriptor", "_mod_descrip", "_mod_descrix", "has no _mod_descrip"},
    {"WrongSyncWord", std::string("\x94\x19\x12\x04", 4), std::string("\x95\x19\x12\x04", 4),
     "sync word"},
    {"NoShaderServer", "ShaderHandler", "ShaderHandlex", "\"pelorix3\" not found"},
    {"NotAModule", "", "", "broken.so"},
};

std::string replaceAll(std::string bytes, const std::string& from, const std::string& to) {
    if (from.empty()) return "this is a text file, not a shared library\n";
    std::size_t replaced = 0;
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at)) {
        bytes.replace(at, from.size(), to);
        ++replaced;
    }
    EXPECT_GT(replaced, 0u) << "the module file no longer holds what this case breaks";
    return bytes;
}

class BrokenModuleFile : public PreviewTest, public ::testing::WithParamInterface<BrokenModule> {};

TEST_P(BrokenModuleFile, IsRefusedWithTheReason) {
    const BrokenModule& input = GetParam();
    const std::string module = readFile(standin::defaultModulePath());
    ASSERT_FALSE(module.empty());
    writeFile(file("broken.so"), replaceAll(module, input.from, input.to));
    const ToolRun run = this->run({"--module", file("broken.so").string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(input.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));
}

INSTANTIATE_TEST_SUITE_P(Preview, BrokenModuleFile, ::testing::ValuesIn(kBrokenModules),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTest, HelpExplainsEveryOptionAndSucceeds) {
    const ToolRun run = this->run({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--width",
                               "--height",
                               "--density",
                               "--transparency",
                               "--specular-color",
                               "--dont-overlap-shadows",
                               "--density-by-luminosity",
                               "--color",
                               "--diffuse",
                               "--specular",
                               "--luminous",
                               "--roughness",
                               "--key-position",
                               "--rim-direction",
                               "--ambient",
                               "--output",
                               "--module",
                               "--load",
                               "--save",
                               "--mode",
                               "--load-mode",
                               "--save-mode",
                               "--panel",
                               "--sheet",
                               "--switch-sheet",
                               "--threads",
                               "--save-look",
                               "--version"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
    // The form the tool takes: one INPUT=FILE each time --map is given.
    EXPECT_NE(run.out.find("  --map INPUT=FILE.png  "), std::string::npos) << run.out;
    // Words a person reads, not the parser's notation for types and choices.
    for (const char* internal : {"ENUM", "TEXT", "INT", "FLOAT", "->", ":{"}) {
        EXPECT_EQ(run.out.find(internal), std::string::npos) << internal;
    }
}

// A misspelt option is answered with the command the person ran: the one
// scripts/preview.sh names, or the program as it was started.
TEST_F(PreviewTest, AMistakeSaysWhatToRunForHelp) {
    const ToolRun direct = this->run({"--densty", "0.5"});
    EXPECT_NE(direct.err.find("Run " + toolPath().string() + " --help for the options."),
              std::string::npos)
        << direct.err;
    const ToolRun scripted = this->run(
        {"--densty", "0.5"}, {.environment = {"PELORIX3_PREVIEW_COMMAND=bash scripts/preview.sh"}});
    EXPECT_NE(scripted.err.find("Run bash scripts/preview.sh --help for the options."),
              std::string::npos)
        << scripted.err;
}

// The module's version is read from the module: a copy whose panel says 3.7 is 3.7.
TEST_F(PreviewTest, VersionNamesTheToolsAndTheModules) {
    const ToolRun own = this->run({"--version"});
    ASSERT_EQ(own.exitCode, 0) << own.err;
    EXPECT_EQ(own.out.rfind("pelorix3-preview 3.0\nmodule 3.0 (", 0), 0u) << own.out;
    writeFile(file("other.so"),
              replaceAll(readFile(standin::defaultModulePath()), "pelorix 3.0", "pelorix 3.7"));
    const ToolRun other = this->run({"--version", "--module", "other.so"});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_NE(other.out.find("module 3.7 (other.so"), std::string::npos) << other.out;
    EXPECT_TRUE(std::filesystem::exists(file("other.so")));
    EXPECT_FALSE(std::filesystem::exists(file("preview.png")));  // nothing rendered
}

TEST_F(PreviewTest, HelpSaysTheUnitOfEachShaderParameter) {
    const ToolRun run = this->run({"--help"});
    EXPECT_NE(run.out.find("1 is the panel's 100 %"), std::string::npos);
    EXPECT_NE(run.out.find("0.33 is the panel's 33 %"), std::string::npos);
    EXPECT_NE(run.out.find("1 is the panel's 255"), std::string::npos);
}

TEST_F(PreviewTest, BareModuleFileNameIsAFileInTheCurrentFolder) {
    std::filesystem::copy_file(standin::defaultModulePath(), file("pelorix3.so"));
    const ToolRun run = this->run({"--module", "pelorix3.so", "--save", "p.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

struct BadModel {
    const char* name;
    const char* contents;  // null: no file at all
    const char* message;
};

const BadModel kBadModels[] = {
    {"Missing", nullptr, "cannot read model.obj"},
    {"NotObj", "\x89PNG\r\n\x1a\n", "model.obj is not a model: it has no faces"},
    {"NoFaces", "v 0 0 0\nv 1 0 0\n", "model.obj is not a model: it has no faces"},
    {"IndexOutOfRange", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", "uses vertex 4"},
    {"ZeroIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 0 1 2\n", "line 5"},
    {"NotFinite", "v 0 0 0\nv 1e999 0 0\nv 0 1 0\nf 1 2 3\n", "line 2"},
    {"NotANumber", "v 0 0 0\nv nan 0 0\nv 0 1 0\nf 1 2 3\n", "finite coordinates"},
};

class BadModelFile : public PreviewTest, public ::testing::WithParamInterface<BadModel> {};

TEST_P(BadModelFile, IsRefusedByNameAndNothingIsWritten) {
    if (GetParam().contents) {
        writeFile(file("model.obj"),
                  std::string(GetParam().contents, std::strlen(GetParam().contents)));
    }
    const ToolRun run = this->run({"--mesh", "model.obj", "-o", "out.png"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("out.png")));
}

INSTANTIATE_TEST_SUITE_P(Preview, BadModelFile, ::testing::ValuesIn(kBadModels),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
