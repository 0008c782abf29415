// --write-object on files of many surfaces: the file read once and the copy made once, each
// surface with the block of its own instance; the surfaces that start from a written one
// named, in the message and in --list-surfaces; a base value LWOB cannot hold refused before
// any work, and one it rounds said; the constant written in place of a map named with its
// value.
#include "host/module_path.h"
#include "looks/preset.h"
#include "models/lwo_form.h"
#include "models/surface_files.h"
#include "models/surface_reader.h"
#include "preview_fixture.h"
#include "tools/preview/object_output.h"
#include "tools/preview/preview_inputs.h"
#include "tools/preview/surface_looks.h"

namespace {

using namespace surface_files;

using ObjectWrites = PreviewTest;

// A stored block whose density is `density`, the other values the module's defaults.
std::string blockOfDensity(float density) {
    std::string bytes;
    for (const float v : {density, 0.33f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f}) bytes += f4(v);
    return bytes;
}

// A row of quads, one for each surface: surface i is `surfaces[i]`'s sub-chunks. Its TXUV
// map lets a map be placed on it.
std::string lwo2Row(const std::vector<std::pair<std::string, std::string>>& surfaces) {
    std::vector<Point> corners;
    std::vector<Polygon> quads;
    std::vector<MapValue> uv;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tags;
    std::vector<std::string> names;
    std::string chunks;
    for (std::uint32_t i = 0; i < surfaces.size(); ++i) {
        const auto x = static_cast<float>(i);
        for (const Point& p :
             {Point{x, 0, 0}, Point{x, 1, 0}, Point{x + 1, 1, 0}, Point{x + 1, 0, 0}}) {
            uv.push_back({static_cast<std::uint32_t>(corners.size()), 0, p[0] / 8, p[1]});
            corners.push_back(p);
        }
        quads.push_back({4 * i, 4 * i + 1, 4 * i + 2, 4 * i + 3});
        tags.emplace_back(i, i);
        names.push_back(surfaces[i].first);
        chunks += surfaces[i].second;
    }
    return form("LWO2", layer(0) + points(corners) + polygons("FACE", quads) +
                            textureMap("VMAP", "uv", uv) + surface_files::names("TAGS", names) +
                            surfaceTags(tags) + chunks);
}

std::string lwobRow(const std::vector<std::string>& names) {
    std::vector<Point> corners;
    std::string polygons;
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const auto x = static_cast<float>(i);
        corners.insert(corners.end(), {{x, 0, 0}, {x, 1, 0}, {x + 1, 1, 0}, {x + 1, 0, 0}});
        polygons += u2(4) + u2(4 * i) + u2(4 * i + 1) + u2(4 * i + 2) + u2(4 * i + 3) + u2(i + 1);
    }
    return form("LWOB",
                points(corners) + surface_files::names("SRFS", names) + chunk("POLS", polygons));
}

// The tool's own writing, in this process, so that the readings of the file can be counted:
// a quadratic writer read it once for each surface.
TEST_F(ObjectWrites, TheFileIsReadOnceAndEachSurfaceTakesItsOwnBlock) {
    const std::vector<float> densities{0.1f, 0.2f, 0.3f};
    std::vector<std::pair<std::string, std::string>> surfaces;
    for (std::size_t i = 0; i < densities.size(); ++i) {
        const std::string name = "Velvet" + std::to_string(i);
        surfaces.emplace_back(
            name, lwo2Surface(name, shaderBlock("\x80", "pelorix3", blockOfDensity(densities[i]))));
    }
    surfaces.emplace_back("Plain", lwo2Surface("Plain", ""));
    writeFile(file("row.lwo"), lwo2Row(surfaces));
    preview::PreviewOptions options;
    options.scene.subject = render::SubjectKind::Mesh;
    options.modelPath = file("row.lwo").string();
    options.writeObjectPath = file("out.lwo").string();
    const auto inputs = preview::readInputs(options);
    ASSERT_TRUE(inputs) << inputs.error();
    auto session = preview::PreviewSession::open(standin::defaultModulePath(), inputs->scene);
    ASSERT_TRUE(session) << session.error();
    const auto shaded = preview::shadeModelSurfaces(*session.value(), options, inputs.value());
    ASSERT_TRUE(shaded) << shaded.error();

    const std::size_t before = models::LwoForm::openings();
    const base::Status written =
        preview::writeObjectFile(*session.value(), options, inputs.value());
    ASSERT_TRUE(written) << written.error();
    EXPECT_EQ(models::LwoForm::openings() - before, 1u);

    const auto read = models::readSurfaces(readFile(file("out.lwo")), "out.lwo");
    ASSERT_TRUE(read) << read.error();
    ASSERT_EQ(read->surfaces.size(), surfaces.size());
    for (std::size_t i = 0; i < densities.size(); ++i) {
        const auto block = models::storedBlockOf(read->surfaces[i]);
        ASSERT_TRUE(block && block.value()) << i;
        EXPECT_EQ(bytesOf(*block.value()), blockOfDensity(densities[i])) << i;
    }
    EXPECT_FALSE(models::moduleEntry(read->surfaces.back()));
}

// "B" starts from "A", and "C" from "B": a look written into "A" reaches both.
TEST_F(ObjectWrites, TheSurfacesThatStartFromOneWrittenAreNamed) {
    writeFile(file("chain.lwo"), lwo2Row({{"A", lwo2Surface("A", lwo2Fraction("DIFF", 0.5f))},
                                          {"B", lwo2Surface("B", "", "A")},
                                          {"C", lwo2Surface("C", "", "B")}}));
    const ToolRun listed = run({"--mesh", "chain.lwo", "--list-surfaces"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("no shaders; starts from \"B\", which starts from \"A\"\n"),
              std::string::npos)
        << listed.out;
    const ToolRun written =
        run({"--mesh", "chain.lwo", "--surface", "A", "--write-object", "out.lwo"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_NE(written.err.find("(object file, the look in \"A\"; through source surfaces it also "
                               "reaches \"B\", \"C\")"),
              std::string::npos)
        << written.err;
}

TEST_F(ObjectWrites, AnLwobRoughnessIsRefusedBeforeAnyWorkOrSaidWhenRounded) {
    writeFile(file("row.lwo"), lwobRow({"A", "B"}));
    const auto writing = [this](const char* roughness) {
        return run({"--mesh", "row.lwo", "--write-object", "out.lwo", "--write-surface-values",
                    "--roughness", roughness, "--verbose", "-o", "out.png"});
    };
    const struct {
        const char* roughness;
        const char* exponent;
    } refused[] = {{"0.00001", "100000"}, {"3", "0.333333333"}};
    for (const auto& [roughness, exponent] : refused) {
        const ToolRun run = writing(roughness);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.err.find("--write-surface-values: row.lwo cannot take the look in surface "
                               "\"A\" (and 1 more): the roughness " +
                               std::string(roughness == std::string("3") ? "3" : "1e-05") +
                               " needs the specular exponent " + exponent +
                               ", but the file holds whole exponents from 1 to 32767"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("import"), std::string::npos) << "no work before: " << run.err;
        EXPECT_FALSE(std::filesystem::exists(file("out.lwo")));
        EXPECT_FALSE(std::filesystem::exists(file("out.png")));
    }
    const ToolRun rounded = writing("0.3");
    ASSERT_EQ(rounded.exitCode, 0) << rounded.err;
    EXPECT_NE(rounded.err.find("warning: --write-surface-values: row.lwo keeps the roughness 0.3 "
                               "as the whole specular exponent 3, which reads back as the "
                               "roughness 0.333333 (11 % more)"),
              std::string::npos)
        << rounded.err;
    const ToolRun close = writing("0.0101");  // the exponent 99 gives 0.010101
    ASSERT_EQ(close.exitCode, 0) << close.err;
    EXPECT_EQ(close.err.find("keeps the roughness"), std::string::npos) << close.err;
}

TEST_F(ObjectWrites, EachConstantWrittenForAMapIsNamedWithItsValue) {
    writeFile(file("quad.lwo"), lwo2Row({{"Cloth", ""}}));
    const std::string map = looks::defaultPresetsFolder() + "/burnout-velvet/burnout.png";
    const ToolRun run =
        this->run({"--mesh", "quad.lwo", "--preset", "felt", "--map", "color=" + map, "--map",
                   "luminous=" + map, "--write-object", "out.lwo", "--write-surface-values"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* constant : {"color 0.2,0.35,0.25\n", "luminous 0\n"}) {
        EXPECT_NE(run.err.find("a map cannot be a base value: surface \"Cloth\" gets the "
                               "constant " +
                               std::string(constant)),
                  std::string::npos)
            << run.err;
    }
}

}  // namespace
