// The studio's C++ side, under Node: gestures on the panel reach the module's own controls
// and change the instance only when the panel is confirmed; stored blocks are checked
// before the module's load entry sees them; the picture comes coarse first, then refined.
#include "web/studio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/lwo_cubes.h"
#include "host/panel_services.h"
#include "looks/surface_value.h"
#include "models/lwo_reader.h"
#include "models/lwo_writer.h"
#include "models/surface_files.h"
#include "web/stored_zip.h"

namespace {

using studio::StoredData;
using studio::Studio;

// Where the module lays its controls out on the 386 x 140 panel.
constexpr int kSwitchX = 16, kSwitchY = 10;    // "Don't Overlap Raytraced Shadows"
constexpr int kDensityX = 80, kDensityY = 30;  // the Density field
constexpr int kRedX = 188, kRedY = 94;         // the red slider
constexpr int kAboutX = 190, kAboutY = 122;    // the About button

const std::string kDefaults =
    " 1.000000\n 0.330000\n 1.000000\n 1.000000\n 1.000000\n 1.000000\n 0.000000\n";

class StudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto opened = Studio::open(render::SubjectKind::Sphere, PELORIX3_PRESETS_DIR);
        ASSERT_TRUE(opened) << opened.error();
        studio = std::move(opened.value());
        standin::clearPanelCalls();
    }

    bool calledPanel(const std::string& text) {
        const std::vector<std::string> calls = standin::panelCallTexts();
        return std::find(calls.begin(), calls.end(), text) != calls.end();
    }

    looks::ParameterBlock parameters() {
        auto block = studio->parameters();
        EXPECT_TRUE(block) << block.error();
        return block ? block.value() : looks::ParameterBlock{};
    }

    std::unique_ptr<Studio> studio;
};

TEST_F(StudioTest, OpensWithTheModulesDefaultsAndItsPanelPainted) {
    EXPECT_EQ(studio->storedText(), kDefaults);
    EXPECT_EQ(studio->storedBinary().size(), 28u);
    EXPECT_EQ(studio->panel().picture().width, 386);
    EXPECT_EQ(studio->panel().picture().height, 140);
}

TEST_F(StudioTest, ClickingTheSwitchFlipsItThroughThePanelsConfirmation) {
    const auto edited = studio->panel().pointerDown(kSwitchX, kSwitchY);
    ASSERT_TRUE(edited) << edited.error();
    EXPECT_TRUE(edited.value());
    EXPECT_EQ(parameters().dontOverlapShadows, 0.0);
    // The panel was opened and confirmed, and the module fetched the switch's value.
    EXPECT_TRUE(calledPanel("open 7"));
    EXPECT_TRUE(calledPanel("user.press c0"));
    EXPECT_TRUE(calledPanel("c0.get 4 int 0"));
    EXPECT_TRUE(studio->panel().pointerDown(kSwitchX, kSwitchY).value());
    EXPECT_EQ(parameters().dontOverlapShadows, 1.0);
}

TEST_F(StudioTest, AClickOnNoControlCancelsThePanel) {
    const auto edited = studio->panel().pointerDown(300, 3);
    ASSERT_TRUE(edited);
    EXPECT_FALSE(edited.value());
    EXPECT_FALSE(calledPanel("c0.get 4 int 1"));  // nothing fetched
    EXPECT_EQ(studio->storedText(), kDefaults);
}

TEST_F(StudioTest, DraggingTheRedSliderSetsTheColourUntilReleased) {
    EXPECT_TRUE(studio->panel().pointerDown(kRedX, kRedY).value());
    EXPECT_TRUE(studio->panel().pointerMove(100, kRedY).value());  // past the left end
    EXPECT_EQ(parameters().specularColor[0], 0.0);
    EXPECT_EQ(parameters().specularColor[1], 1.0);
    EXPECT_FALSE(studio->panel().pointerMove(100, kRedY).value());  // no change, no edit
    studio->panel().pointerUp();
    EXPECT_FALSE(studio->panel().pointerMove(400, kRedY).value());
    EXPECT_EQ(parameters().specularColor[0], 0.0);
}

TEST_F(StudioTest, TypingIntoTheDensityFieldSetsItWhenCommitted) {
    EXPECT_FALSE(studio->panel().pointerDown(kDensityX, kDensityY).value());
    EXPECT_TRUE(studio->panel().typing());
    EXPECT_FALSE(studio->panel().key("4").value());
    EXPECT_FALSE(studio->panel().key("5").value());
    EXPECT_FALSE(studio->panel().key("x").value());  // not a key for a number
    EXPECT_EQ(parameters().density, 1.0);            // nothing changes while typing
    EXPECT_TRUE(studio->panel().key("Enter").value());
    EXPECT_EQ(parameters().density, 0.45);
    EXPECT_FALSE(studio->panel().typing());
    EXPECT_FALSE(studio->panel().key("7").value());  // no field has the keyboard
    EXPECT_EQ(parameters().density, 0.45);
}

TEST_F(StudioTest, EscapeCancelsTheTypingAndTheFieldShowsItsValueAgain) {
    const render::Image shown = studio->panel().picture();
    EXPECT_FALSE(studio->panel().pointerDown(kDensityX, kDensityY).value());
    EXPECT_FALSE(studio->panel().key("7").value());
    EXPECT_NE(studio->panel().picture().rgb, shown.rgb);  // the typed text
    EXPECT_FALSE(studio->panel().key("Escape").value());
    EXPECT_FALSE(studio->panel().typing());
    EXPECT_EQ(studio->panel().picture().rgb, shown.rgb);
    EXPECT_EQ(studio->storedText(), kDefaults);
    for (const std::string& call : standin::panelCallTexts()) {
        EXPECT_NE(call.rfind("c1.get", 0), 0u) << call;  // Density's value not fetched
    }
}

// Tab and Shift+Tab commit, then move between the two percent fields; past them the
// typing ends with the text committed.
TEST_F(StudioTest, TabCommitsTheTypingAndMovesToTheNextPercentField) {
    EXPECT_FALSE(studio->panel().pointerDown(kDensityX, kDensityY).value());
    EXPECT_FALSE(studio->panel().key("Shift+Tab").value());  // nothing typed: no edit
    EXPECT_FALSE(studio->panel().typing());                  // nothing before Density
    EXPECT_FALSE(studio->panel().pointerDown(kDensityX, kDensityY).value());
    EXPECT_FALSE(studio->panel().key("6").value());
    EXPECT_TRUE(studio->panel().key("Tab").value());
    EXPECT_TRUE(studio->panel().typing());
    EXPECT_FALSE(studio->panel().key("2").value());
    EXPECT_TRUE(studio->panel().key("Tab").value());
    EXPECT_FALSE(studio->panel().typing());
    EXPECT_EQ(parameters().density, 0.06);
    EXPECT_EQ(parameters().transparency, 0.02);
}

// Outside 0 to 100 % the value is kept as the panel sets it, and warned about.
TEST_F(StudioTest, APercentageThePanelCannotShowIsKeptAndWarnedAbout) {
    EXPECT_TRUE(studio->panelRangeWarnings().empty());
    EXPECT_FALSE(studio->panel().pointerDown(kDensityX, kDensityY).value());
    for (const char* key : {"9", "9", "9"}) EXPECT_FALSE(studio->panel().key(key).value());
    EXPECT_TRUE(studio->panel().key("Enter").value());
    EXPECT_EQ(parameters().density, 9.99);
    const std::vector<std::string> warnings = studio->panelRangeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("density 9.99 shows as 999 % in the panel", 0), 0u) << warnings[0];
}

TEST_F(StudioTest, AboutShowsTheModulesTwoCreditLines) {
    EXPECT_FALSE(studio->panel().pointerDown(kAboutX, kAboutY).value());
    const std::vector<std::string> messages = studio->takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(std::count(messages[0].begin(), messages[0].end(), '\n'), 1);
    EXPECT_TRUE(studio->takeMessages().empty());
}

TEST_F(StudioTest, ADamagedBlockIsRefusedAndTheParametersStay) {
    const base::Status text =
        studio->loadStored(" 0.5\n 0.3\n red\n 1\n 1\n 1\n 0\n", looks::StorageMode::Text);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.error(), "The stored block is damaged: line 3 is not a number: \" red\"");
    EXPECT_FALSE(studio->loadStored(" 0.5\n", looks::StorageMode::Text));
    EXPECT_FALSE(studio->loadStored(std::string(27, '\0'), looks::StorageMode::Binary));
    EXPECT_FALSE(studio->loadStored(std::string("\x7f\x80\0\0", 4) + std::string(24, '\0'),
                                    looks::StorageMode::Auto));  // an infinity
    EXPECT_EQ(studio->storedText(), kDefaults);
}

TEST_F(StudioTest, AGoodBlockLoadsInEitherForm) {
    ASSERT_TRUE(
        studio->loadStored(" 0.25\n 0.5\n 1\n 0.5\n 0\n 0\n 1\n\n", looks::StorageMode::Text));
    EXPECT_EQ(studio->storedText(),
              " 0.250000\n 0.500000\n 1.000000\n 0.500000\n 0.000000\n 0.000000\n 1.000000\n");
    const std::string binary = studio->storedBinary();
    ASSERT_TRUE(studio->loadStored(kDefaults, looks::StorageMode::Auto));
    ASSERT_TRUE(studio->loadStored(binary, looks::StorageMode::Auto));
    EXPECT_EQ(parameters().density, 0.25);
    EXPECT_EQ(parameters().densityByLuminosity, 1.0);
    // What another instance loads to hold the same values: the binary block itself.
    EXPECT_EQ(studio->parameterSource().bytes, binary);
    EXPECT_EQ(studio->parameterSource().mode, looks::StorageMode::Binary);
}

TEST_F(StudioTest, ANamedLookLoadsItsBlock) {
    const std::vector<looks::Preset>& presets = studio->presets();
    ASSERT_EQ(presets.size(), 7u);
    EXPECT_EQ(presets[0].name, "black-velvet");
    ASSERT_TRUE(studio->applyPreset("felt"));
    EXPECT_EQ(parameters().density, 0.5);
    EXPECT_EQ(parameters().transparency, 0.8);
    EXPECT_FALSE(studio->applyPreset("no-such-look"));
}

// A look is named only while the stored text is its parameters.txt, however it got there.
TEST_F(StudioTest, TheLookIsNamedOnlyWhileTheStoredTextIsThatLooks) {
    EXPECT_EQ(studio->lookName(), "");  // the module's defaults are no look
    ASSERT_TRUE(studio->applyPreset("felt"));
    EXPECT_EQ(studio->lookName(), "felt");
    EXPECT_TRUE(studio->panel().pointerDown(kSwitchX, kSwitchY).value());
    EXPECT_EQ(studio->lookName(), "");
    const std::string feltAfterDensity = "\n 0.8\n 0.9\n 0.9\n 0.9\n 1\n 0\n";
    ASSERT_TRUE(studio->loadStored(" 0.5000001" + feltAfterDensity, looks::StorageMode::Text));
    EXPECT_EQ(studio->lookName(), "felt");  // stored with six decimals, as the look is
    ASSERT_TRUE(studio->loadStored(" 0.500001" + feltAfterDensity, looks::StorageMode::Text));
    EXPECT_EQ(studio->lookName(), "");
}

// The coarse picture of the instance and surface as they stand.
std::vector<unsigned char> coarsePicture(Studio& studio) {
    studio.restartPicture();
    const int shown = studio.picture().pictures();
    while (studio.picture().pictures() == shown && studio.renderStep(10.0)) {
    }
    return studio.picture().picture();
}

TEST_F(StudioTest, ALookMapsLuminosityWithItsPatternAndThePictureFollowsTheMap) {
    ASSERT_TRUE(studio->applyPreset("burnout-velvet"));
    EXPECT_EQ(studio->luminousMap(), "burnout");
    EXPECT_EQ(parameters().densityByLuminosity, 1.0);
    const std::vector<unsigned char> burnout = coarsePicture(*studio);
    ASSERT_TRUE(studio->setLuminousMap("dots"));
    EXPECT_NE(coarsePicture(*studio), burnout);
    EXPECT_FALSE(studio->setLuminousMap("plaid"));
    EXPECT_EQ(studio->luminousMap(), "dots");
    ASSERT_TRUE(studio->applyPreset("felt"));  // a look without a map takes it away
    EXPECT_EQ(studio->luminousMap(), "");
}

// The surface inputs as text, all five, to compare whole states.
std::string surfaceText(const Studio& studio) {
    std::string text;
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        text +=
            looks::surfaceValueText(studio.surface(), static_cast<render::SurfaceInput>(i)) + ";";
    }
    return text + studio.luminousMap();
}

// Each value the command line refuses is refused with its reason, and changes nothing.
TEST_F(StudioTest, SurfaceInputsAreCheckedAsTheCommandLineChecksThem) {
    const std::string before = surfaceText(*studio);
    for (const auto& [name, text, reason] : std::vector<std::array<std::string, 3>>{
             {"diffuse", "-1", "diffuse -1 is out of range: it must be at least 0"},
             {"roughness", "0", "roughness 0 is out of range: it must be greater than 0"},
             {"luminous", "lots", "luminous \"lots\" is not a number"},
             {"color", "1,2", "color \"1,2\" is not three numbers separated by commas (R,G,B)"},
             {"color", "1,-2,0", "color 1,-2,0 has a negative component"},
             {"shine", "1", "unknown key \"shine\""}}) {
        const base::Status set = studio->setSurfaceInput(name, text);
        ASSERT_FALSE(set) << name << " " << text;
        EXPECT_EQ(set.error(), reason);
    }
    EXPECT_EQ(surfaceText(*studio), before);
    const std::vector<unsigned char> picture = coarsePicture(*studio);
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "0.25"));
    EXPECT_EQ(studio->surface().diffuse, 0.25);
    EXPECT_NE(coarsePicture(*studio), picture);
    EXPECT_TRUE(studio->surfaceWarnings().empty());
    ASSERT_TRUE(studio->setSurfaceInput("color", "2,0.5,0"));
    ASSERT_EQ(studio->surfaceWarnings().size(), 1u);
    EXPECT_NE(studio->surfaceWarnings()[0].find("surface colour"), std::string::npos);
}

// A look is named while both its block and its surface inputs are the scene's; a block
// loaded alone says once where the surface inputs come from.
TEST_F(StudioTest, TheLookIsNamedOnlyWhileItsBlockAndItsSurfaceInputsAreBoth) {
    const std::string felt = " 0.5\n 0.8\n 0.9\n 0.9\n 0.9\n 1\n 0\n";
    ASSERT_TRUE(studio->loadStored(felt, looks::StorageMode::Text));
    EXPECT_EQ(studio->lookName(), "");  // the block is felt's, the surface inputs are not
    const std::string note = studio->takeBlockNote();
    EXPECT_NE(note.find("surface inputs"), std::string::npos) << note;
    EXPECT_NE(note.find("choose felt in the Look list"), std::string::npos) << note;
    EXPECT_EQ(studio->takeBlockNote(), "");
    ASSERT_TRUE(studio->applyPreset("felt"));
    EXPECT_EQ(studio->lookName(), "felt");
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "0.5"));
    EXPECT_EQ(studio->lookName(), "");
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "1"));
    EXPECT_EQ(studio->lookName(), "felt");
    ASSERT_TRUE(studio->setLuminousMap("dots"));
    EXPECT_EQ(studio->lookName(), "");
}

TEST_F(StudioTest, APileModulatedByALuminosityOfZeroIsSaidToBeGone) {
    EXPECT_TRUE(studio->notes().empty());
    ASSERT_TRUE(studio->loadStored(" 1\n 0.33\n 1\n 1\n 1\n 1\n 1\n", looks::StorageMode::Text));
    ASSERT_EQ(studio->notes().size(), 1u);
    EXPECT_NE(studio->notes()[0].find("Modulate Density by Luminosity"), std::string::npos);
    ASSERT_TRUE(studio->setSurfaceInput("luminous", "0.5"));
    EXPECT_TRUE(studio->notes().empty());
    ASSERT_TRUE(studio->setSurfaceInput("luminous", "0"));
    ASSERT_TRUE(studio->setLuminousMap("dots"));  // the map gives the luminosity
    EXPECT_TRUE(studio->notes().empty());
}

// A model file brings no surface of its own: only the subject and the camera change.
TEST_F(StudioTest, ANewModelStartsFromItsOwnFramingAndLeavesTheRestAsItWas) {
    studio->setOrbit({40.0, -20.0, 2.0});
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "0.3"));
    const std::string surface = surfaceText(*studio);
    ASSERT_TRUE(studio->setModel(lwo_cubes::lwo2Cube(), "cube.lwo"));
    EXPECT_EQ(studio->orbit(), render::CameraOrbit{});
    EXPECT_EQ(surfaceText(*studio), surface);
    EXPECT_EQ(studio->storedText(), kDefaults);
    // The cube has no texture coordinates to place a map with.
    EXPECT_FALSE(studio->setLuminousMap("dots"));
    EXPECT_FALSE(studio->applyPreset("burnout-velvet"));
    EXPECT_EQ(surfaceText(*studio), surface);
    EXPECT_EQ(studio->storedText(), kDefaults);
}

// Two quads of an object file: "Velvet" runs the module with `velvetBlock`, "Stand" runs
// none and is blue.
std::string twoSurfaceFile(const std::string& velvetBlock) {
    using namespace surface_files;
    const std::vector<models::lwo_writer::Point> panel{{-1, 0, 0}, {-1, 1, 0}, {0, 1, 0},
                                                       {0, 0, 0},  {1, 1, 0},  {1, 0, 0}};
    return form("LWO2", layer(0) + points(panel) + polygons("FACE", {{0, 1, 2, 3}, {3, 2, 4, 5}}) +
                            names("TAGS", {"Velvet", "Stand"}) + surfaceTags({{0, 0}, {1, 1}}) +
                            lwo2Surface("Velvet", shaderBlock("\x80", "pelorix3", velvetBlock)) +
                            lwo2Surface("Stand", subChunk("COLR", f4(0.125f) + f4(0.25f) +
                                                                      f4(0.875f) + vx(0))));
}

// Density 0.8, transparency 0.25, specular colour (1, 0.5, 0.25), the switches on and off.
std::string velvetBlock() {
    std::string bytes;
    for (const float v : {0.8f, 0.25f, 1.0f, 0.5f, 0.25f, 1.0f, 0.0f})
        bytes += models::lwo_writer::f4(v);
    return bytes;
}

// The surface running the module is picked with its block; unchanged, the download is the
// file itself; another surface picked takes the panel's look and, where its inputs were
// changed, those as base values, while the first keeps what the file gives it.
TEST_F(StudioTest, AnObjectFilesSurfacesArePickedAndTheDownloadCarriesThePickedOnesLook) {
    const std::string file = twoSurfaceFile(velvetBlock());
    ASSERT_TRUE(studio->setModel(file, "panel.lwo"));
    ASSERT_EQ(studio->modelSurfaces().size(), 2u);
    EXPECT_EQ(studio->pickedSurface(), 0u);
    EXPECT_EQ(parameters().density, 0.8);
    EXPECT_EQ(parameters().specularColor[2], 0.25);
    base::Result<std::string> unchanged = studio->objectFile();
    ASSERT_TRUE(unchanged) << unchanged.error();
    EXPECT_EQ(unchanged.value(), file);
    EXPECT_EQ(studio->objectFileName(), "panel-pelorix3.lwo");

    ASSERT_TRUE(studio->pickSurface(1));
    EXPECT_EQ(studio->surface().color[2], double{0.875f});  // Stand's own inputs
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "0.5"));
    ASSERT_TRUE(studio->loadStored(kDefaults, looks::StorageMode::Text));
    base::Result<std::string> written = studio->objectFile();
    ASSERT_TRUE(written) << written.error();
    const base::Result<models::LwoContents> read = models::readLwo(written.value(), "written");
    ASSERT_TRUE(read) << read.error();
    const std::vector<models::Surface>& surfaces = read->surfaces.surfaces;
    EXPECT_EQ(surfaces[0].shaders.at(0).data, velvetBlock());
    EXPECT_EQ(surfaces[1].shaders.at(0).data, studio->storedBinary());
    EXPECT_FLOAT_EQ(static_cast<float>(surfaces[1].base.diffuse), 0.5f);
    EXPECT_FLOAT_EQ(static_cast<float>(surfaces[1].base.colour[2]), 0.875f);
    EXPECT_FALSE(studio->pickSurface(2));
    EXPECT_EQ(studio->pickedSurface(), 1u);

    ASSERT_TRUE(studio->setModel(lwo_cubes::lwo2Cube(), "cube.lwo"));
    EXPECT_FALSE(studio->pickedSurface());  // no surface runs the module: one look all over
    ASSERT_TRUE(studio->setModel("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "t.obj"));
    EXPECT_FALSE(studio->objectFile());
}

// A stored block that cannot be read gives the picked surface the module's defaults, not
// the values the panel held, and says so by the surface's name.
TEST_F(StudioTest, APickedSurfacesUnreadableBlockGivesTheModulesDefaults) {
    ASSERT_TRUE(studio->applyPreset("felt"));
    ASSERT_TRUE(studio->setModel(twoSurfaceFile(velvetBlock().substr(0, 20)), "panel.lwo"));
    EXPECT_EQ(studio->pickedSurface(), 0u);
    EXPECT_EQ(studio->storedText(), kDefaults);
    const std::vector<std::string> warnings = studio->modelWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Velvet"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("module's defaults"), std::string::npos) << warnings[0];
}

// What a worker does: it takes the page's state through the same entries (the stored
// data the parameters came from, the surface inputs as text, the map, the camera) and
// renders rows of the refined pass. Its rows are the page's refined picture's, even for a
// colour the panel's slider set, which six decimals of stored text do not hold exactly.
TEST_F(StudioTest, AStudioGivenAnothersStateRendersItsRefinedPictureRowForRow) {
    EXPECT_TRUE(studio->panel().pointerDown(kRedX, kRedY).value());
    EXPECT_TRUE(studio->panel().pointerMove(kRedX - 13, kRedY).value());
    studio->panel().pointerUp();
    ASSERT_TRUE(studio->setSurfaceInput("diffuse", "0.7"));
    ASSERT_TRUE(studio->setLuminousMap("stripes"));
    studio->setOrbit({30.0, 10.0, 1.5});
    while (studio->renderStep(10.0)) {
    }
    const std::vector<unsigned char> refined = studio->picture().picture();
    const StoredData source = studio->parameterSource();
    const render::SurfaceInputs surface = studio->surface();
    const render::CameraOrbit orbit = studio->orbit();

    ASSERT_TRUE(studio->applyPreset("felt"));  // another state, then the page's again
    studio->setOrbit({});
    ASSERT_TRUE(studio->loadStored(source.bytes, source.mode));
    for (std::size_t i = 0; i < render::kSurfaceInputNames.size(); ++i) {
        ASSERT_TRUE(studio->setSurfaceInput(
            std::string(render::kSurfaceInputNames[i]),
            looks::surfaceValueText(surface, static_cast<render::SurfaceInput>(i))));
    }
    ASSERT_TRUE(studio->setLuminousMap("stripes"));
    studio->setOrbit(orbit);
    studio->startRefinedFrame();
    const int width = studio->picture().width();
    for (int y = 0; y < studio->picture().height(); ++y) {
        const unsigned char* row = studio->renderRefinedRow(y);
        ASSERT_NE(row, nullptr);
        std::vector<unsigned char> expected;
        for (std::size_t at = 4 * static_cast<std::size_t>(y) * width, x = 0; x < 3u * width;
             at += 4, x += 3) {
            expected.insert(expected.end(), refined.begin() + at, refined.begin() + at + 3);
        }
        ASSERT_EQ(std::vector<unsigned char>(row, row + 3 * width), expected) << "row " << y;
    }
    EXPECT_EQ(studio->renderRefinedRow(studio->picture().height()), nullptr);
}

// With the refined pass left to the workers the picture waits for theirs, and takes only
// a picture of its size, while one is awaited.
TEST_F(StudioTest, ARefinedPassRenderedElsewhereIsAwaitedAndTakenWhole) {
    studio->setRefinedElsewhere(true);
    studio->restartPicture();
    const int rendered = studio->renderCount();
    for (int calls = 0; calls < 100000 && studio->renderStep(10.0); ++calls) {
    }
    EXPECT_EQ(studio->picture().shownPass(), 1);
    EXPECT_TRUE(studio->picture().waitingForRefined());
    const std::size_t size = 3 * static_cast<std::size_t>(studio->picture().width()) *
                             static_cast<std::size_t>(studio->picture().height());
    EXPECT_FALSE(studio->showRefined(std::vector<unsigned char>(size - 3, 0)));
    EXPECT_TRUE(studio->showRefined(std::vector<unsigned char>(size, 77)));
    EXPECT_TRUE(studio->picture().finished());
    EXPECT_EQ(studio->picture().picture()[0], 77);
    EXPECT_EQ(studio->renderCount(), rendered + 1);
    EXPECT_FALSE(studio->showRefined(std::vector<unsigned char>(size, 77)));  // none awaited
}

// The look as one file, downloaded and opened again: the block, the surface inputs and
// the map come back, and a named look is named again.
TEST_F(StudioTest, ALooksFileBringsTheWholeLookBack) {
    ASSERT_TRUE(studio->applyPreset("burnout-velvet"));
    EXPECT_EQ(studio->lookZipName(), "burnout-velvet.zip");
    const std::string named = studio->lookZip();
    ASSERT_TRUE(studio->setSurfaceInput("roughness", "0.0123"));
    ASSERT_TRUE(studio->setLuminousMap("checks"));
    EXPECT_EQ(studio->lookZipName(), "pelorix3-look.zip");
    const std::string own = studio->lookZip();
    const std::string stored = studio->storedText();
    const std::string surface = surfaceText(*studio);
    ASSERT_TRUE(studio->applyPreset("felt"));
    ASSERT_TRUE(studio->loadLook(own, "pelorix3-look.zip"));
    EXPECT_EQ(studio->storedText(), stored);
    EXPECT_EQ(surfaceText(*studio), surface);
    EXPECT_EQ(studio->lookName(), "");
    ASSERT_TRUE(studio->loadLook(named, "burnout-velvet.zip"));
    EXPECT_EQ(studio->lookName(), "burnout-velvet");
}

// A file that is no look the studio can show is refused whole, with the reason.
TEST_F(StudioTest, ALooksFileThatCannotBeReadChangesNothing) {
    using studio::ZipEntry;
    const std::string parameters = studio->storedText();
    const std::string look = "description = mine\ndiffuse = 0.5\n";
    const auto zip = [&](std::vector<ZipEntry> extra, const std::string& lookText) {
        std::vector<ZipEntry> entries{{"parameters.txt", parameters}, {"look.txt", lookText}};
        entries.insert(entries.end(), extra.begin(), extra.end());
        return studio::storedZip(entries);
    };
    std::string damaged = zip({}, look);
    damaged[50] ^= 1;  // in parameters.txt's bytes
    std::string deflated = zip({}, look);
    deflated[8] = 8;                                             // the local header says "deflate"
    deflated[deflated.find(std::string("PK\1\2", 4)) + 10] = 8;  // and the list
    ASSERT_TRUE(studio->applyPreset("felt"));
    const std::string stored = studio->storedText();
    const std::string surface = surfaceText(*studio);
    for (const auto& [bytes, reason] : std::vector<std::pair<std::string, std::string>>{
             {"not a zip", "my.zip is not a zip file"},
             {damaged, "my.zip is damaged: parameters.txt does not match its checksum"},
             {damaged.substr(0, damaged.size() - 30), "my.zip is not a zip file"},
             {deflated, "my.zip: parameters.txt is compressed"},
             {studio::storedZip({{"look/look.txt", look}}),
              "a look file holds its files under bare names"},
             {zip({}, "diffuse = -1\n"), "my.zip: look.txt line 1: diffuse -1 is out of range"},
             {zip({}, "map.luminous = dots.png\n"), "dots.png: there is no such file"},
             {zip({{"dots.png", "not the dots"}}, "map.luminous = dots.png\n"),
              "my.zip: map.luminous dots.png is not one of the studio's patterns"}}) {
        const base::Status loaded = studio->loadLook(bytes, "my.zip");
        ASSERT_FALSE(loaded) << reason;
        EXPECT_NE(loaded.error().find(reason), std::string::npos) << loaded.error();
    }
    EXPECT_EQ(studio->storedText(), stored);
    EXPECT_EQ(surfaceText(*studio), surface);
    EXPECT_EQ(studio->lookName(), "felt");
    ASSERT_TRUE(studio->loadLook(zip({}, look), "my.zip"));
    EXPECT_EQ(studio->surface().diffuse, 0.5);
}

TEST_F(StudioTest, ThePictureComesCoarseThenFullSizeThenRefined) {
    studio->restartPicture();
    const int rendered = studio->renderCount();
    std::vector<int> passes;
    for (int calls = 0; calls < 100000 && studio->renderStep(10.0); ++calls) {
        if (passes.empty() || passes.back() != studio->picture().shownPass())
            passes.push_back(studio->picture().shownPass());
    }
    passes.push_back(studio->picture().shownPass());
    EXPECT_EQ(passes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(studio->renderCount(), rendered + 1);
    EXPECT_FALSE(studio->renderStep(10.0));
    // An edit starts again from the coarse pass.
    EXPECT_TRUE(studio->panel().pointerDown(kSwitchX, kSwitchY).value());
    studio->restartPicture();
    EXPECT_TRUE(studio->renderStep(10.0));
    EXPECT_EQ(studio->picture().shownPass(), 0);
}

// A turn of the camera starts the picture again from the new view, and is kept as it
// turns the camera: a drag past a limit turns back from the limit at once.
TEST_F(StudioTest, TurningTheCameraShowsANewViewAndKeepsTheTurnAsHeld) {
    const auto refined = [this] {
        while (studio->renderStep(10.0)) {
        }
        return studio->picture().picture();
    };
    const std::vector<unsigned char> front = refined();
    studio->setOrbit({450.0, 120.0, 10.0});
    EXPECT_FALSE(studio->picture().finished());  // started again
    const render::CameraOrbit orbit = studio->orbit();
    EXPECT_DOUBLE_EQ(orbit.orbitDegrees, 90.0);
    EXPECT_LT(orbit.elevationDegrees, render::kSteepestElevation);
    EXPECT_EQ(orbit.zoom, render::kMostZoom);
    EXPECT_NE(refined(), front);
    ASSERT_TRUE(studio->setSubject(render::SubjectKind::Sphere));
    EXPECT_DOUBLE_EQ(studio->orbit().orbitDegrees, 90.0);
}

TEST_F(StudioTest, ADroppedModelBecomesTheSubjectAndOneThatCannotBeReadChangesNothing) {
    ASSERT_TRUE(studio->setModel(lwo_cubes::lwo2Cube(), "cube.lwo"));
    EXPECT_EQ(studio->subject(), render::SubjectKind::Mesh);
    EXPECT_TRUE(studio->renderStep(10.0));
    ASSERT_TRUE(studio->setModel("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 1 2\n", "t.obj"));
    const std::vector<std::string> warned{
        "t.obj: 1 triangle without area left out (the first on line 5)"};
    EXPECT_EQ(studio->modelWarnings(), warned);
    const auto refused = studio->setModel(models::lwo_writer::form("LWO3", ""), "new.lwo");
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("new.lwo is an LWO3 object file"), std::string::npos);
    EXPECT_EQ(studio->modelWarnings(), warned);  // the model before it stays
    ASSERT_TRUE(studio->setSubject(render::SubjectKind::Sphere));
    EXPECT_TRUE(studio->modelWarnings().empty());
}

}  // namespace
