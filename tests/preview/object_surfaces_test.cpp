// The surfaces of an object file in the preview: a panel of two quads side by side, the
// left one "Velvet" running the module with its stored block, the right one "Stand" with
// none, in both generations of the format. Each surface is checked against what it should
// be by the pixels it covers: the velvet against the whole model rendered through --load
// with the same block and the velvet's base values as surface inputs, the stand as a plain
// material of its own colour; then the look written into a copy of the file, and the
// refusals.
#include <cstdio>
#include <filesystem>

#include "models/surface_files.h"
#include "models/surface_reader.h"
#include "png_reader.h"
#include "preview_fixture.h"

namespace {

using namespace surface_files;

using ObjectSurfaces = PreviewTest;

struct Colour {
    float r, g, b;
};

// The stored block: density 0.8, transparency 0.25, specular colour (1, 0.5, 0.25),
// don't overlap shadows on, density by luminosity off.
std::string velvetBlock() {
    std::string bytes;
    for (const float v : {0.8f, 0.25f, 1.0f, 0.5f, 0.25f, 1.0f, 0.0f}) bytes += f4(v);
    return bytes;
}

constexpr Colour kVelvetColour{0.5f, 0.25f, 0.75f};

// A colour as LWOB keeps it: a byte of 255 for each component.
unsigned char byteOf(float v) { return static_cast<unsigned char>(v * 255 + 0.5f); }

// What the renderer would hand the shader for the velvet: its base values as options, the
// colour as the form holds it.
std::vector<std::string> velvetInputs(bool lwob) {
    char colour[96];
    const auto held = [lwob](float v) { return lwob ? byteOf(v) / 255.0 : double{v}; };
    std::snprintf(colour, sizeof colour, "%.17g,%.17g,%.17g", held(kVelvetColour.r),
                  held(kVelvetColour.g), held(kVelvetColour.b));
    return {"--color", colour,       "--diffuse", "0.75",        "--specular",
            "0",       "--luminous", "0",         "--roughness", "0.015625"};
}
constexpr Colour kBlue{0.125f, 0.25f, 0.875f};
constexpr Colour kGreen{0.125f, 0.875f, 0.25f};

const std::vector<models::lwo_writer::Point> kPanel{{-1, 0, 0}, {-1, 1, 0}, {0, 1, 0},
                                                    {0, 0, 0},  {1, 1, 0},  {1, 0, 0}};

struct PanelFile {
    bool lwob = false;
    std::string velvetShader;  // the data of the velvet's pelorix3 entry; none when empty
    Colour stand = kBlue;
    std::string bothSurfaces;  // more sub-chunks for both surfaces

    std::string lwo2Bytes() const {
        const auto colour = [](Colour c) {
            return subChunk("COLR", f4(c.r) + f4(c.g) + f4(c.b) + vx(0));
        };
        std::string velvet = colour(kVelvetColour) + lwo2Fraction("DIFF", 0.75f);
        if (!velvetShader.empty()) velvet += shaderBlock("\x80", "pelorix3", velvetShader);
        velvet += bothSurfaces;
        return form("LWO2", layer(0) + points(kPanel) +
                                polygons("FACE", {{0, 1, 2, 3}, {3, 2, 4, 5}}) +
                                names("TAGS", {"Velvet", "Stand"}) + surfaceTags({{0, 0}, {1, 1}}) +
                                lwo2Surface("Velvet", velvet) +
                                lwo2Surface("Stand", colour(stand) + bothSurfaces));
    }

    std::string lwobBytes() const {
        const auto colour = [](Colour c) {
            const auto byte = [](float v) { return std::string(1, static_cast<char>(byteOf(v))); };
            return subChunk("COLR", byte(c.r) + byte(c.g) + byte(c.b) + '\0');
        };
        std::string velvet = colour(kVelvetColour) + subChunk("VDIF", f4(0.75f));
        if (!velvetShader.empty())
            velvet += subChunk("SHDR", s0("pelorix3")) + subChunk("SDAT", velvetShader);
        const std::string polygons = u2(4) + u2(0) + u2(1) + u2(2) + u2(3) + u2(1) + u2(4) + u2(3) +
                                     u2(2) + u2(4) + u2(5) + u2(2);
        return form("LWOB", points(kPanel) + names("SRFS", {"Velvet", "Stand"}) +
                                chunk("POLS", polygons) + lwobSurface("Velvet", velvet) +
                                lwobSurface("Stand", colour(stand)));
    }

    static PanelFile of(std::string velvetShader, Colour stand = kBlue,
                        std::string bothSurfaces = {}) {
        PanelFile panel;
        panel.velvetShader = std::move(velvetShader);
        panel.stand = stand;
        panel.bothSurfaces = std::move(bothSurfaces);
        return panel;
    }

    std::string bytes() const { return lwob ? lwobBytes() : lwo2Bytes(); }
};

class ObjectSurfacesOfBothForms : public PreviewTest, public ::testing::WithParamInterface<bool> {
protected:
    // The panel's file written as `name`, with the bytes of LWOB colours exact.
    std::string write(const std::string& name, PanelFile panel) {
        panel.lwob = GetParam();
        writeFile(file(name), panel.bytes());
        return name;
    }

    render::Image rendered(const std::string& model, std::vector<std::string> more = {}) {
        const std::string picture = model + ".png";
        std::vector<std::string> arguments{"--width",   "96",  "--height",  "72",
                                           "--samples", "1",   "--workers", "1",
                                           "--mesh",    model, "-o",        picture};
        arguments.insert(arguments.end(), more.begin(), more.end());
        const ToolRun run = this->run(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::optional<render::Image> image = readPng(file(picture).string());
        return image.value_or(render::Image{});
    }
};

const unsigned char* pixel(const render::Image& image, std::size_t p) { return &image.rgb[3 * p]; }

bool samePixel(const render::Image& a, const render::Image& b, std::size_t p) {
    return std::equal(pixel(a, p), pixel(a, p) + 3, pixel(b, p));
}

TEST_P(ObjectSurfacesOfBothForms, EachSurfaceIsShadedAsTheRendererSetsItUp) {
    writeFile(file("velvet.bin"), velvetBlock());
    const render::Image blueStand = rendered(write("two.lwo", PanelFile::of(velvetBlock())));
    const render::Image greenStand =
        rendered(write("green.lwo", PanelFile::of(velvetBlock(), kGreen)));
    const std::string plain = write("plain.lwo", PanelFile::of(""));
    std::vector<std::string> velvetLook{"--load", "velvet.bin"};
    const std::vector<std::string> inputs = velvetInputs(GetParam());
    velvetLook.insert(velvetLook.end(), inputs.begin(), inputs.end());
    const render::Image velvetAllOver = rendered(plain, velvetLook);
    const render::Image standByModule =
        rendered(plain, {"--load", "velvet.bin", "--color", "0.125,0.25,0.875", "--specular", "0"});
    ASSERT_EQ(blueStand.rgb.size(), velvetAllOver.rgb.size());
    ASSERT_EQ(greenStand.rgb.size(), velvetAllOver.rgb.size());

    const std::size_t pixels = blueStand.rgb.size() / 3;
    std::size_t stand = 0, standBlue = 0, standGreen = 0, standNotModule = 0;
    std::size_t velvet = 0, velvetDiffers = 0;
    for (std::size_t p = 0; p < pixels; ++p) {
        if (!samePixel(blueStand, greenStand, p)) {  // the stand's colour shows here
            ++stand;
            const unsigned char* b = pixel(blueStand, p);
            const unsigned char* g = pixel(greenStand, p);
            standBlue += b[2] > b[0] && b[2] > b[1];
            standGreen += g[1] > g[0] && g[1] > g[2];
            standNotModule += !samePixel(blueStand, standByModule, p);
            continue;
        }
        velvet += !samePixel(velvetAllOver, standByModule, p);  // the velvet's inputs show here
        velvetDiffers += !samePixel(blueStand, velvetAllOver, p);
    }
    EXPECT_GT(stand, pixels / 20);
    EXPECT_EQ(standBlue, stand);
    EXPECT_EQ(standGreen, stand);
    EXPECT_GT(standNotModule, stand * 9 / 10);  // a plain material, not the module
    EXPECT_GT(velvet, pixels / 20);
    EXPECT_EQ(velvetDiffers, 0u);  // the stored block, loaded as --load loads it
}

TEST_P(ObjectSurfacesOfBothForms, TheLookWrittenIntoACopyRendersAsTheFileWithIt) {
    writeFile(file("velvet.bin"), velvetBlock());
    const render::Image withBlock = rendered(write("two.lwo", PanelFile::of(velvetBlock())));
    const std::string plain = write("plain.lwo", PanelFile::of(""));
    const ToolRun written = run({"--mesh", plain, "--surface", "Velvet", "--load", "velvet.bin",
                                 "--write-object", "out.lwo"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const render::Image copy = rendered("out.lwo");
    EXPECT_EQ(copy.rgb, withBlock.rgb);

    const ToolRun values =
        run({"--mesh", plain, "--surface", "Stand", "--color", "0.2,0.9,0.3", "--roughness",
             "0.0625", "--write-object", "values.lwo", "--write-surface-values"});
    ASSERT_EQ(values.exitCode, 0) << values.err;
    const auto read = models::readSurfaces(readFile(file("values.lwo")), "values.lwo");
    ASSERT_TRUE(read) << read.error();
    const models::Surface& standRead = read->surfaces[1];
    ASSERT_EQ(standRead.name, "Stand");
    const double step = GetParam() ? 0.5 / 255.0 : 1e-7;  // LWOB colours are bytes
    EXPECT_NEAR(standRead.base.colour[0], 0.2, step);
    EXPECT_NEAR(standRead.base.colour[1], 0.9, step);
    EXPECT_NEAR(standRead.base.roughness, 0.0625, 1e-6);
    ASSERT_TRUE(models::moduleEntry(standRead));
    EXPECT_FALSE(models::moduleEntry(read->surfaces[0]));  // the velvet is as it was
}

// On a surface that holds its own block, a preset's block comes first and the parameters
// the command line gives go on top of it, as on the whole subject.
TEST_P(ObjectSurfacesOfBothForms, ParametersGivenGoOnTopOfAPresetsBlock) {
    const std::string model = write("two.lwo", PanelFile::of(velvetBlock()));
    const render::Image felt = rendered(model, {"--preset", "felt"});
    const render::Image thinFelt = rendered(model, {"--preset", "felt", "--density", "0.1"});
    const render::Image own = rendered(model);
    ASSERT_EQ(felt.rgb.size(), own.rgb.size());
    EXPECT_NE(felt.rgb, own.rgb);
    EXPECT_NE(thinFelt.rgb, felt.rgb);
}

INSTANTIATE_TEST_SUITE_P(Form, ObjectSurfacesOfBothForms, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Lwob" : "Lwo2"; });

TEST_F(ObjectSurfaces, SurfaceOptionsThatCannotApplyAreRefusedBeforeAnyOutput) {
    writeFile(file("two.lwo"), PanelFile::of(velvetBlock()).lwo2Bytes());
    writeFile(file("m.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"--mesh", "two.lwo", "--surface", "Nope", "-o", "out.png"},
         1,
         "--surface \"Nope\": two.lwo has no such surface; its surfaces are \"Velvet\", "
         "\"Stand\""},
        {{"--mesh", "m.obj", "--write-object", "out.png"}, 1, "m.obj is an OBJ model"},
        {{"--mesh", "two.lwo", "--write-object", "two.lwo"}, 2, "writing it would destroy it"},
        {{"--surface", "Velvet", "-o", "out.png"}, 2, "--surface requires --mesh"},
        {{"--mesh", "two.lwo", "--list-surfaces", "-o", "-"},
         2,
         "--list-surfaces and -o both write standard output"},
        {{"--mesh", "two.lwo", "--list-surfaces", "--surface", "Nope"},
         1,
         "--surface \"Nope\": two.lwo has no such surface; its surfaces are \"Velvet\", "
         "\"Stand\""},
        {{"--mesh", "two.lwo", "--compare", "felt,black-velvet", "--write-object", "out.png"},
         2,
         "--compare excludes --write-object"},
    };
    for (const auto& [arguments, exitCode, message] : cases) {
        const ToolRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, exitCode) << refused.err;
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
        EXPECT_FALSE(std::filesystem::exists(file("out.png")));
    }
    EXPECT_EQ(readFile(file("two.lwo")), PanelFile::of(velvetBlock()).lwo2Bytes());
}

TEST_F(ObjectSurfaces, BlocksAndShadersTheModuleCannotTakeAreSaidOnce) {
    const PanelFile panel =
        PanelFile::of(velvetBlock().substr(1), kBlue, shaderBlock("\x81", "OtherShader", "x"));
    writeFile(file("short.lwo"), panel.lwo2Bytes());
    const ToolRun listed = run({"--mesh", "short.lwo", "--list-surfaces"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("\"Velvet\": 1 polygon; colour 0.5 0.25 0.75, diffuse 0.75"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("shaders \"pelorix3\" (27 bytes)"), std::string::npos);
    const ToolRun rendered = run({"--width", "32", "--height", "24", "--samples", "1", "--mesh",
                                  "short.lwo", "-o", "out.png"});
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    EXPECT_NE(rendered.err.find("surface \"Velvet\": the pelorix3 shader's data is 27 bytes, not "
                                "the 28 bytes of its stored block; the surface gets the "
                                "module's defaults"),
              std::string::npos)
        << rendered.err;
    const std::string other = "1 shader of other plug-ins (\"OtherShader\") not run";
    const std::size_t said = rendered.err.find(other);
    EXPECT_NE(said, std::string::npos) << rendered.err;
    EXPECT_EQ(rendered.err.find(other, said + 1), std::string::npos);  // once for both surfaces
}

}  // namespace
