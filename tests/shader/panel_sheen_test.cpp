// The sheen shader's options panel: its layout, its host calls, editing an instance's
// parameters, and the lifecycle faults that must stay harmless.
#include <memory>
#include <string>
#include <vector>

#include "framework/shader_activation.h"
#include "host/panel_services.h"
#include "panels/control_group.h"
#include "panels/interface.h"
#include "panels/panel_fixture.h"
#include "shader/sheen_panel.h"
#include "shader/sheen_shader.h"

namespace {

using panel_test::shownMessages;
using pelorix3::Interface;
using pelorix3::SheenShader;
using standin::PanelSession;

using Calls = std::vector<std::string>;

const char* const switchShadows = "Don't Overlap Raytraced Shadows";
const char* const switchLuminosity = "Modulate Density by Luminosity";

class SheenPanel : public panel_test::PanelTest {
protected:
    std::unique_ptr<SheenShader> createShader() {
        return std::unique_ptr<SheenShader>(
            static_cast<SheenShader*>(pelorix3::createSheenShader()));
    }

    int activate(SheenShader* shader, standin::ScriptedUser user) {
        standin::setScriptedUser(std::move(user));
        return pelorix3::activateShaderInterface(1, panel_test::lookup, shader, nullptr);
    }
};

// Rows are measured before placement, which adds the positions into the nodes.
TEST_F(SheenPanel, MeasuresRowsBeforeLayout) {
    SheenShader shader;
    Interface panel(&shader);
    pelorix3::describeSheenPanel(panel, shader);
    ASSERT_EQ(panel.children.count(), 2);
    const auto* group = static_cast<const pelorix3::ControlGroup*>(panel.children[0]);
    std::vector<int> rowWidths;
    for (int i = 0; i < group->rows.count(); ++i) rowWidths.push_back(group->rows[i]->width());
    EXPECT_EQ(rowWidths, (std::vector<int>{232, 118, 219, 154, 360}));
    EXPECT_EQ(group->width(), 370);
    EXPECT_EQ(group->height(), 100);
    EXPECT_EQ(panel.children[1]->width(), 180);
    EXPECT_EQ(panel.children[1]->height(), 0);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(SheenPanel, LaidOutPanelMeasures386By140) {
    auto shader = createShader();
    ASSERT_TRUE(shader && shader->panel);
    const Interface* panel = shader->panel;
    EXPECT_EQ(panel->width, 386);
    EXPECT_EQ(panel->height, 140);
    EXPECT_STREQ(panel->title, "pelorix 3.0");
    EXPECT_EQ(panel->handler, shader.get());
}

const Calls openingCalls = {"create \"pelorix 3.0\"",
                            "addControl c0 BoolControl 8 \"Don't Overlap Raytraced Shadows\"",
                            "c0.set 0 int 10",
                            "c0.set 1 int 0",
                            "c0.set 4 int 1",
                            "c0.set 16 ptr",
                            "c0.set 14 ptr",
                            "addControl c1 PercentControl 15 0 100 \"Density\"",
                            "c1.set 0 int 10",
                            "c1.set 1 int 20",
                            "c1.set 4 float 100",
                            "c1.set 16 ptr",
                            "c1.set 14 ptr",
                            "addControl c2 BoolControl 8 \"Modulate Density by Luminosity\"",
                            "c2.set 0 int 10",
                            "c2.set 1 int 40",
                            "c2.set 4 int 0",
                            "c2.set 16 ptr",
                            "c2.set 14 ptr",
                            "addControl c3 PercentControl 15 0 100 \"Transparency\"",
                            "c3.set 0 int 10",
                            "c3.set 1 int 60",
                            "c3.set 4 float 33",
                            "c3.set 16 ptr",
                            "c3.set 14 ptr",
                            "addControl c4 AreaControl 19 40 17 \"\"",
                            "addControl c5 MiniSliderControl 15 25 0 255 \"\"",
                            "addControl c6 MiniSliderControl 15 25 0 255 \"\"",
                            "addControl c7 MiniSliderControl 15 25 0 255 \"\"",
                            "c4.set 0 int 108",
                            "c4.set 1 int 80",
                            "c5.set 0 int 158",
                            "c5.set 1 int 80",
                            "c6.set 0 int 228",
                            "c6.set 1 int 80",
                            "c7.set 0 int 298",
                            "c7.set 1 int 80",
                            "c4.set 16 ptr",
                            "c4.set 13 ptr",
                            "c5.set 16 ptr",
                            "c5.set 14 ptr",
                            "c6.set 16 ptr",
                            "c6.set 14 ptr",
                            "c7.set 16 ptr",
                            "c7.set 14 ptr",
                            "c5.set 4 int 255",
                            "c6.set 4 int 255",
                            "c7.set 4 int 255",
                            "addControl c8 ButtonControl 19 80 0 \"About\"",
                            "c8.set 0 int 147",
                            "c8.set 1 int 112",
                            "c8.set 16 ptr",
                            "c8.set 14 ptr",
                            "set 2 386",
                            "set 3 140",
                            "set 7 ptr",
                            "open 7",
                            "destroy"};

// The whole exchange of an opening with defaults, cancelled; twice, to show that each
// opening builds the same panel from the unchanged tree.
TEST_F(SheenPanel, EveryOpeningMakesTheSameHostCalls) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    for (int opening = 0; opening < 2; ++opening) {
        standin::resetPanelServices();
        EXPECT_EQ(activate(shader.get(), [](PanelSession&) { return false; }), 0);
        EXPECT_EQ(standin::panelCallTexts(), openingCalls);
    }
    EXPECT_EQ(pelorix3::editedInstance, shader.get());
}

TEST_F(SheenPanel, ShowsTheInstanceValues) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    std::vector<double> shown;
    activate(shader.get(), [&](PanelSession& user) {
        for (const char* label : {switchShadows, "Density", switchLuminosity, "Transparency"})
            shown.push_back(user.value(label));
        for (int slider = 5; slider <= 7; ++slider) shown.push_back(user.value(slider));
        return false;
    });
    EXPECT_EQ(shown, (std::vector<double>{1, 100, 0, 33, 255, 255, 255}));
}

// The host's panel drawing reaches the edited instance's panel through the module.
TEST_F(SheenPanel, PanelDrawPaintsLabelAndSwatch) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    activate(shader.get(), [](PanelSession& user) {
        user.moveSlider(6, 0);
        standin::clearPanelCalls();  // keep only what the redraw paints
        user.redraw(1);
        return false;
    });
    EXPECT_EQ(standin::panelCallTexts(),
              (Calls{"user.redraw 1", "drawText \"Specular Color\" 9 16 87", "c5.get 4 int 255",
                     "c6.get 4 int 0", "c7.get 4 int 255", "drawRGBBox 255 0 255 121 86 40 17",
                     "destroy"}));
}

// A text-mode load state handing out one stored item per read.
struct StoredItems {
    std::vector<std::string> items;
    std::size_t next = 0;
};

int readItem(void* context, char* buffer, int maxLength) {
    auto* stored = static_cast<StoredItems*>(context);
    if (stored->next == stored->items.size()) return -1;
    const std::string& item = stored->items[stored->next++];
    const int length = std::min(static_cast<int>(item.size()), maxLength - 1);
    item.copy(buffer, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return length;
}

TEST_F(SheenPanel, ShowsLoadedValues) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    StoredItems stored{{" 0.25", " 0.5", " 0.5", " 0", " 1", " 0", " 1"}};
    const LoadState state{HOST_IO_ASCII, &stored, readItem};
    shader->load(&state);
    std::vector<double> shown;
    activate(shader.get(), [&](PanelSession& user) {
        for (int control : {0, 1, 2, 3, 5, 6, 7}) shown.push_back(user.value(control));
        return false;
    });
    EXPECT_EQ(shown, (std::vector<double>{0, 25, 1, 50, 127, 0, 255}));
}

TEST_F(SheenPanel, ConfirmWritesEveryBoundVariable) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    shader->specularColor = {0.5, 0.5, 0.5};
    const int result = activate(shader.get(), [](PanelSession& user) {
        user.setValue(switchShadows, 0);
        user.setValue("Density", 50);
        user.setValue(switchLuminosity, 1);
        user.setValue(5, 255);
        return true;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(shader->dontOverlapShadows, 0);
    EXPECT_EQ(shader->density, 0.5);
    EXPECT_EQ(shader->densityByLuminosity, 1);
    EXPECT_EQ(shader->transparency, 0.33);  // untouched: 33 comes back as 0.33
    EXPECT_EQ(shader->specularColor.x, 1.0);
    EXPECT_EQ(shader->specularColor.y, 0.4980392156862745);  // untouched: truncated to 127
    EXPECT_EQ(shader->specularColor.z, 0.4980392156862745);
}

TEST_F(SheenPanel, CancelWritesNothing) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    shader->specularColor = {0.5, 0.5, 0.5};
    activate(shader.get(), [](PanelSession& user) {
        user.setValue(switchShadows, 0);
        user.setValue("Density", 50);
        user.moveSlider(5, 10);
        return false;
    });
    EXPECT_EQ(shader->dontOverlapShadows, 1);
    EXPECT_EQ(shader->density, 1.0);
    EXPECT_EQ(shader->specularColor.x, 0.5);
    EXPECT_EQ(shader->specularColor.y, 0.5);
}

// Each opening shows what the last confirmation kept; a cancelled one keeps nothing.
TEST_F(SheenPanel, ReopeningShowsWhatTheLastConfirmationKept) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    const auto edit = [](double density, int red, bool confirm) {
        return [=](PanelSession& user) {
            user.setValue("Density", density);
            user.setValue(5, red);
            return confirm;
        };
    };
    std::vector<double> shown;
    const auto look = [&](PanelSession& user) {
        shown = {user.value("Density"), user.value(5)};
        return false;
    };
    activate(shader.get(), edit(40, 51, true));
    activate(shader.get(), look);
    EXPECT_EQ(shown, (std::vector<double>{40, 51}));
    activate(shader.get(), edit(70, 102, false));
    activate(shader.get(), look);
    EXPECT_EQ(shown, (std::vector<double>{40, 51}));
}

// The activation binds the host services again before the panel opens: the About
// button's lines reach the user even though the message functions had been lost.
TEST_F(SheenPanel, InterfaceActivationAcquiresServicesBeforeOpening) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    pelorix3::hostServices.messageFuncs = nullptr;
    activate(shader.get(), [](PanelSession& user) {
        user.press("About");
        return false;
    });
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].first, "pelorix 3.0 sheen surface shader");
}

TEST_F(SheenPanel, EditingOneInstanceLeavesAnotherUnchanged) {
    auto edited = createShader();
    auto other = createShader();
    ASSERT_TRUE(edited && other);
    activate(edited.get(), [](PanelSession& user) {
        user.setValue("Density", 10);
        user.setValue(6, 0);
        return true;
    });
    EXPECT_EQ(edited->density, 0.1);
    EXPECT_EQ(edited->specularColor.y, 0.0);
    EXPECT_EQ(other->density, 1.0);
    EXPECT_EQ(other->specularColor.y, 1.0);
}

TEST_F(SheenPanel, AboutButtonShowsCreditsThenRefreshes) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    activate(shader.get(), [](PanelSession& user) {
        user.press("About");
        return false;
    });
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].first, "pelorix 3.0 sheen surface shader");
    EXPECT_FALSE(shownMessages[0].second.empty());
    const Calls drawing = callsStartingWith("draw");
    EXPECT_EQ(drawing, (Calls{"drawText \"Specular Color\" 9 16 87",
                              "drawRGBBox 255 255 255 121 86 40 17"}));
}

TEST_F(SheenPanel, PanelThatCannotBeCreatedLeavesValuesAlone) {
    auto shader = createShader();
    ASSERT_TRUE(shader);
    standin::failPanelCreation(true);
    bool userRan = false;
    EXPECT_EQ(activate(shader.get(), [&](PanelSession&) { return userRan = true; }), 2);
    EXPECT_FALSE(userRan);
    EXPECT_EQ(standin::panelCallTexts(), Calls{"create \"pelorix 3.0\" failed"});
    EXPECT_EQ(shader->density, 1.0);
}

TEST_F(SheenPanel, MissingPanelServicesAreReportedNotCalled) {
    panel_test::panelServicesMissing = true;
    auto shader = createShader();
    ASSERT_TRUE(shader && shader->panel);
    EXPECT_EQ(shader->panel->acquirePanelServices(),
              std::string("Couldn't get Panel services. Please add plugin lwpanels.p"));
    EXPECT_EQ(activate(shader.get(), [](PanelSession&) { return true; }), 2);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});
    EXPECT_EQ(shownMessages,
              (std::vector<panel_test::Message>{
                  {"Couldn't get Panel services. Please add plugin lwpanels.p", ""}}));
}

TEST_F(SheenPanel, MissingMessageFunctionsDropTheMessage) {
    panel_test::panelServicesMissing = true;
    SheenShader shader;
    shader.setDefaults();
    Interface* panel = pelorix3::buildSheenPanel(shader);
    ASSERT_TRUE(panel);
    shader.panel = panel;
    pelorix3::hostServices.messageFuncs = nullptr;
    EXPECT_EQ(panel->open(), 2);
    panel->endGroup();  // a building message, also dropped
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(SheenPanel, InterfaceActivationWithoutInstanceOrPanel) {
    EXPECT_EQ(pelorix3::activateShaderInterface(1, panel_test::lookup, nullptr, nullptr), 3);
    SheenShader bare;
    EXPECT_EQ(pelorix3::activateShaderInterface(1, panel_test::lookup, &bare, nullptr), 2);
    EXPECT_EQ(pelorix3::editedInstance, nullptr);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});
}

// Before the host has activated the module there is no lookup function: the panel is
// built without services and the unfinished instance is discarded with it.
TEST_F(SheenPanel, CreateBeforeActivationCallsNoLookup) {
    pelorix3::hostGlobal = nullptr;
    EXPECT_EQ(pelorix3::createSheenShader(), nullptr);
    SheenShader shader;
    std::unique_ptr<Interface> panel(pelorix3::buildSheenPanel(shader));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->panelServices, nullptr);
    EXPECT_EQ(panel->width, 386);
}

}  // namespace
