// The five controls: their host calls, value conversions and callbacks, through the
// stand-in panel services.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/panel_services.h"
#include "panel_fixture.h"
#include "panels/about_button.h"
#include "panels/bool_field.h"
#include "panels/color_field.h"
#include "panels/interface.h"
#include "panels/panel_callbacks.h"
#include "panels/percent_field.h"
#include "panels/text_label.h"
#include "panels/text_width.h"

namespace {

using panel_test::shownMessages;
using pelorix3::AboutButton;
using pelorix3::BoolField;
using pelorix3::ColorField;
using pelorix3::Interface;
using pelorix3::PercentField;
using pelorix3::TextLabel;
using pelorix3::Vec3;
using standin::PanelSession;

using Calls = std::vector<std::string>;

class PanelControls : public panel_test::PanelTest {
protected:
    // The panel was constructed before the fixture served the panel services.
    void SetUp() override {
        PanelTest::SetUp();
        panel_.acquirePanelServices();
    }

    // Opens panel with user as the scripted user; the calls recorded from creation of the
    // host panel to its destruction are in panelCallTexts().
    int openWith(Interface& panel, standin::ScriptedUser user) {
        standin::setScriptedUser(std::move(user));
        return panel.open();
    }

    // The calls recorded while creating the controls: after the panel, before its size.
    static Calls creationCalls() {
        Calls all = standin::panelCallTexts();
        Calls creation;
        for (std::size_t i = 1; i < all.size() && all[i].rfind("set 2", 0) != 0; ++i)
            creation.push_back(all[i]);
        return creation;
    }

    // The calls recorded after the user's action named by marker.
    static Calls callsAfter(const std::string& marker) {
        Calls all = standin::panelCallTexts();
        Calls after;
        bool seen = false;
        for (const std::string& text : all) {
            if (seen && text.rfind("destroy", 0) != 0) after.push_back(text);
            if (text == marker) seen = true;
        }
        return after;
    }

    Interface panel_{nullptr};
};

TEST_F(PanelControls, PercentFieldCreatesItsHostControl) {
    double density = 0.25;
    auto* field = new PercentField("Density", &density, 3, 4);
    EXPECT_EQ(field->width(), 43 + 3 + 75);
    EXPECT_EQ(field->height(), 4 + 20);
    panel_.add(field);
    field->place(10, 20, 0, 0);
    openWith(panel_, [](PanelSession&) { return false; });
    EXPECT_EQ(creationCalls(),
              (Calls{"addControl c0 PercentControl 15 0 100 \"Density\"", "c0.set 0 int 13",
                     "c0.set 1 int 24", "c0.set 4 float 25", "c0.set 16 ptr", "c0.set 14 ptr"}));
    const auto& calls = standin::panelCalls();
    EXPECT_EQ(calls[5].pointer, &panel_);
    EXPECT_EQ(calls[6].pointer, reinterpret_cast<const void*>(pelorix3::onControlEvent));
}

struct PercentCase {
    double bound;
    double shown;
    double fromHost;
    double fetched;
};

class PercentValues : public PanelControls, public ::testing::WithParamInterface<PercentCase> {};

TEST_P(PercentValues, ShowsPercentAndFetchesFraction) {
    const PercentCase& c = GetParam();
    double value = c.bound;
    panel_.add(new PercentField("Density", &value, 0, 0));
    double shown = -1.0;
    openWith(panel_, [&](PanelSession& user) {
        shown = user.value("Density");
        user.setValue("Density", c.fromHost);
        return true;
    });
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(value, c.fetched);
}

INSTANTIATE_TEST_SUITE_P(PanelControls, PercentValues,
                         ::testing::Values(PercentCase{0.25, 25.0, 50.0, 0.5},
                                           PercentCase{0.33, 33.0, 33.0, 0.33},
                                           PercentCase{1.0, 100.0, 0.0, 0.0}));

TEST_F(PanelControls, BoolFieldCreatesAndFetchesItsSwitch) {
    int flag = 1;
    auto* field = new BoolField("Shadows", &flag, 0, 0);
    panel_.add(field);
    openWith(panel_, [](PanelSession& user) {
        user.setValue("Shadows", 0);
        return true;
    });
    EXPECT_EQ(creationCalls(),
              (Calls{"addControl c0 BoolControl 8 \"Shadows\"", "c0.set 0 int 0", "c0.set 1 int 0",
                     "c0.set 4 int 1", "c0.set 16 ptr", "c0.set 14 ptr"}));
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(field->width(), pelorix3::textWidth("Shadows") + 32);
}

// A colour field with margins (10, 20) placed at the origin stands at (10, 20).
TEST_F(PanelControls, ColorFieldCreatesSwatchAndThreeSliders) {
    Vec3 color{1.0, 0.5, 0.0};
    auto* field = new ColorField(&color, 10, 20);
    panel_.add(field);
    openWith(panel_, [](PanelSession&) { return false; });
    EXPECT_EQ(creationCalls(), (Calls{"addControl c0 AreaControl 19 40 17 \"\"",
                                      "addControl c1 MiniSliderControl 15 25 0 255 \"\"",
                                      "addControl c2 MiniSliderControl 15 25 0 255 \"\"",
                                      "addControl c3 MiniSliderControl 15 25 0 255 \"\"",
                                      "c0.set 0 int 10",
                                      "c0.set 1 int 20",
                                      "c1.set 0 int 60",
                                      "c1.set 1 int 20",
                                      "c2.set 0 int 130",
                                      "c2.set 1 int 20",
                                      "c3.set 0 int 200",
                                      "c3.set 1 int 20",
                                      "c0.set 16 ptr",
                                      "c0.set 13 ptr",
                                      "c1.set 16 ptr",
                                      "c1.set 14 ptr",
                                      "c2.set 16 ptr",
                                      "c2.set 14 ptr",
                                      "c3.set 16 ptr",
                                      "c3.set 14 ptr",
                                      "c1.set 4 int 255",
                                      "c2.set 4 int 127",
                                      "c3.set 4 int 0"}));
    const auto& calls = standin::panelCalls();
    EXPECT_EQ(calls[13].pointer, field);
    EXPECT_EQ(calls[14].pointer, reinterpret_cast<const void*>(pelorix3::onSwatchDraw));
    EXPECT_EQ(calls[15].pointer, field);
    EXPECT_EQ(calls[16].pointer, reinterpret_cast<const void*>(pelorix3::onSliderEvent));
    EXPECT_EQ(field->width(), 10 + 275);
    EXPECT_EQ(field->height(), 20 + 20);
}

TEST_F(PanelControls, ColorFieldDrawsItsSwatchFromTheSliders) {
    Vec3 color{1.0, 0.5, 0.0};
    panel_.add(new ColorField(&color, 10, 20));
    openWith(panel_, [this](PanelSession& user) {
        user.setValue(2, 64);
        panel_.draw(nullptr, 1);
        return false;
    });
    EXPECT_EQ(callsAfter("open 7"), (Calls{"c1.get 4 int 255", "c2.get 4 int 64", "c3.get 4 int 0",
                                           "drawRGBBox 255 64 0 23 26 40 17"}));
}

TEST_F(PanelControls, ColorFieldFetchesSlidersAsFractions) {
    Vec3 color{0.5, 0.5, 0.5};
    panel_.add(new ColorField(&color, 0, 0));
    openWith(panel_, [](PanelSession& user) {
        user.setValue(1, 255);
        user.setValue(3, 0);
        return true;
    });
    EXPECT_EQ(color.x, 1.0);
    EXPECT_EQ(color.y, 0.4980392156862745);
    EXPECT_EQ(color.z, 0.0);
}

struct SliderCase {
    double fraction;
    int position;
};

class SliderPositions : public ::testing::TestWithParam<SliderCase> {};

// Colours read from a scene are not validated: out-of-range channels are clamped.
TEST_P(SliderPositions, TruncatesAndClamps) {
    EXPECT_EQ(pelorix3::sliderPosition(GetParam().fraction), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    PanelControls, SliderPositions,
    ::testing::Values(SliderCase{0.5, 127}, SliderCase{1.0, 255}, SliderCase{0.0, 0},
                      SliderCase{0.999, 254}, SliderCase{1.0 / 255.0, 1}, SliderCase{1.5, 255},
                      SliderCase{-0.2, 0}, SliderCase{1e300, 255}, SliderCase{-1e300, 0},
                      SliderCase{std::numeric_limits<double>::infinity(), 255},
                      SliderCase{std::numeric_limits<double>::quiet_NaN(), 0}));

TEST_F(PanelControls, AboutButtonStandsNearThePanelBottom) {
    auto* button = new AboutButton("first", "second");
    panel_.add(button);
    panel_.width = 205;
    panel_.height = 140;
    openWith(panel_, [](PanelSession&) { return false; });
    EXPECT_EQ(creationCalls(),
              (Calls{"addControl c0 ButtonControl 19 80 0 \"About\"", "c0.set 0 int 56",
                     "c0.set 1 int 112", "c0.set 16 ptr", "c0.set 14 ptr"}));
    EXPECT_EQ(button->width(), 180);
    EXPECT_EQ(button->height(), 0);
}

TEST_F(PanelControls, OnlyTheAboutButtonsOwnEventShowsTheLines) {
    int flag = 0;
    panel_.add(new BoolField("Switch", &flag, 0, 0));
    panel_.add(new AboutButton("first line", "second line"));
    openWith(panel_, [](PanelSession& user) {
        user.press("Switch");
        EXPECT_TRUE(shownMessages.empty());
        user.press("About");
        return false;
    });
    EXPECT_EQ(shownMessages, (std::vector<panel_test::Message>{{"first line", "second line"}}));
}

// A node that notes each drawing mode it is asked for, with how many messages had been
// shown by then.
class DrawRecorder final : public pelorix3::Control {
public:
    DrawRecorder() : Control(0, 0) {}
    void draw(int mode) override { draws.push_back({mode, shownMessages.size()}); }

    struct Draw {
        int mode;
        std::size_t messagesBefore;
        bool operator==(const Draw&) const = default;
    };
    std::vector<Draw> draws;
};

TEST_F(PanelControls, AboutButtonShowsItsLinesBeforeTheRefresh) {
    panel_.add(new AboutButton("first line", "second line"));
    auto* recorder = new DrawRecorder;
    panel_.add(recorder);
    openWith(panel_, [](PanelSession& user) {
        user.press("About");
        return false;
    });
    EXPECT_EQ(recorder->draws, (std::vector<DrawRecorder::Draw>{{3, 1}}));
}

TEST_F(PanelControls, TextLabelDrawsItsText) {
    auto* label = new TextLabel("Specular Color", 9, 2, 3);
    panel_.add(label);
    openWith(panel_, [this](PanelSession&) {
        panel_.draw(nullptr, 1);
        return false;
    });
    EXPECT_EQ(creationCalls(), Calls{});
    EXPECT_EQ(callsAfter("open 7"), (Calls{"drawText \"Specular Color\" 9 8 10"}));
    EXPECT_EQ(label->width(), 85 + 2);
}

// An event from any control redraws the whole panel in refresh mode; a slider move only
// asks for its own swatch to be repainted.
TEST_F(PanelControls, SliderMoveRepaintsOnlyItsSwatch) {
    Vec3 color{0.0, 0.0, 0.0};
    int flag = 0;
    panel_.add(new BoolField("Switch", &flag, 0, 0));
    panel_.add(new TextLabel("Label", 9, 0, 0));
    panel_.add(new ColorField(&color, 0, 0));
    panel_.layout();
    openWith(panel_, [](PanelSession& user) {
        user.moveSlider(2, 200);
        return false;
    });
    EXPECT_EQ(callsAfter("user.moveSlider c2 200"),
              (Calls{"c1.draw 3", "c2.get 4 int 200", "c3.get 4 int 0", "c4.get 4 int 0",
                     "drawRGBBox 200 0 0 13 46 40 17"}));
    EXPECT_EQ(color.x, 0.0);
}

// Outside an open panel, or with a panel whose host has no panel services, a control
// creates nothing and a panel drawing call finds nothing to draw.
TEST_F(PanelControls, NothingIsCreatedOrDrawnWithoutAnOpenPanel) {
    double value = 0.5;
    PercentField field("Density", &value, 0, 0);
    Interface withoutServices(nullptr);
    withoutServices.panelServices = nullptr;
    field.owner = &withoutServices;
    field.create();
    EXPECT_EQ(field.handle, nullptr);
    pelorix3::editedInstance = nullptr;
    pelorix3::onPanelDraw(nullptr, nullptr, 1);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});
}

// The host panel goes with the closing: an event or a drawing call that comes after it
// reads nothing from the panel's controls and draws nothing on it.
TEST_F(PanelControls, NothingIsDrawnOnAClosedPanel) {
    Vec3 color{0.0, 0.0, 0.0};
    panel_.add(new TextLabel("Label", 9, 0, 0));
    panel_.add(new ColorField(&color, 0, 0));
    panel_.layout();
    openWith(panel_, [](PanelSession&) { return false; });
    standin::clearPanelCalls();
    pelorix3::onControlEvent(nullptr, &panel_);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});
}

// A slider event for a field whose swatch is missing, or cannot be drawn, is dropped.
TEST_F(PanelControls, SliderEventWithoutADrawableSwatchIsDropped) {
    Vec3 color{0.0, 0.0, 0.0};
    ColorField field(&color, 0, 0);
    pelorix3::onSliderEvent(nullptr, &field);
    HostControl undrawable{};
    field.handle = &undrawable;
    pelorix3::onSliderEvent(nullptr, &field);
    pelorix3::onSliderEvent(nullptr, nullptr);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});
}

TEST_F(PanelControls, ControlEventRedrawsEverythingInRefreshMode) {
    Vec3 color{0.0, 0.0, 0.0};
    int flag = 0;
    panel_.add(new BoolField("Switch", &flag, 0, 0));
    panel_.add(new TextLabel("Label", 9, 0, 0));
    panel_.add(new ColorField(&color, 0, 0));
    panel_.layout();
    pelorix3::onControlEvent(nullptr, &panel_);
    EXPECT_EQ(standin::panelCallTexts(), Calls{});  // not open: nothing to draw on
    openWith(panel_, [](PanelSession& user) {
        user.press("Switch");
        return false;
    });
    EXPECT_EQ(callsAfter("user.press c0"),
              (Calls{"drawText \"Label\" 9 6 27", "c2.get 4 int 0", "c3.get 4 int 0",
                     "c4.get 4 int 0", "drawRGBBox 0 0 0 13 46 40 17"}));
}

}  // namespace
