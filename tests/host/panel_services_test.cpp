// The stand-in panel services: panels and controls by tag, the scripted user, the call
// record, and painting a panel.
#include "host/panel_services.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "render/panel_painter.h"

namespace {

using Calls = std::vector<std::string>;

struct Received {
    std::vector<std::string> events;
};

void recordEvent(HostControl* /*control*/, void* userData) {
    static_cast<Received*>(userData)->events.push_back("event");
}

void recordControlDraw(HostControl* /*control*/, void* userData, int mode) {
    static_cast<Received*>(userData)->events.push_back("control draw " + std::to_string(mode));
}

void recordPanelDraw(HostPanel /*panel*/, void* /*userData*/, int mode) {
    standin::panelServices()->drawFuncs->drawRGBBox(nullptr, 1, 2, 3, 0, 0, 1, mode);
}

class PanelServices : public ::testing::Test {
protected:
    void SetUp() override { standin::resetPanelServices(); }
    void TearDown() override { standin::resetPanelServices(); }

    ::PanelServices& services = *standin::panelServices();

    HostControl* addSlider(HostPanel panel, const char* label) {
        ControlDesc desc{};
        desc.range = {CD_RANGE, 25, 0, 255};
        return services.addControl(panel, "MiniSliderControl", &desc, label);
    }

    static void setInt(HostControl* control, int tag, int value) {
        ControlValue record{.intv = {CV_INTEGER, value, 0}};
        control->set(control, tag, &record);
    }

    static void setPointer(HostControl* control, int tag, void* pointer) {
        ControlValue record{.ptr = {CV_INTEGER, pointer}};
        control->set(control, tag, &record);
    }
};

TEST_F(PanelServices, UnknownKindIsRefusedAndRecorded) {
    HostPanel panel = services.create("t", &services);
    ControlDesc desc{};
    desc.type = CD_BOOLEAN;
    EXPECT_EQ(services.addControl(panel, "KnobControl", &desc, "k"), nullptr);
    EXPECT_NE(services.addControl(panel, "BoolControl", &desc, "b"), nullptr);
    EXPECT_EQ(standin::panelCallTexts(),
              (Calls{"create \"t\"", "addControl \"KnobControl\" refused",
                     "addControl c0 BoolControl 8 \"b\""}));
}

TEST_F(PanelServices, ControlsKeepValuesByTagAndRecordType) {
    HostPanel panel = services.create("t", &services);
    HostControl* slider = addSlider(panel, "s");
    setInt(slider, CTL_X, 12);
    setInt(slider, CTL_VALUE, 200);
    setInt(slider, CTL_LABELWIDTH, 99);  // not kept, harmless
    ControlValue asFloat{.flt = {CV_FLOAT, 0.0, 0.0}};
    slider->get(slider, CTL_VALUE, &asFloat);
    ControlValue asInt{.intv = {CV_INTEGER, 0, 0}};
    slider->get(slider, CTL_X, &asInt);
    EXPECT_EQ(asFloat.flt.value, 200.0);
    EXPECT_EQ(asInt.intv.value, 12);
    asFloat.flt.value = 33.5;
    slider->set(slider, CTL_VALUE, &asFloat);
    slider->get(slider, CTL_VALUE, &asInt);
    EXPECT_EQ(asInt.intv.value, 33);
    EXPECT_EQ(standin::panelCallTexts(),
              (Calls{"create \"t\"", "addControl c0 MiniSliderControl 15 25 0 255 \"s\"",
                     "c0.set 0 int 12", "c0.set 4 int 200", "c0.set 9 int 99", "c0.get 4 float 200",
                     "c0.get 0 int 12", "c0.set 4 float 33.5", "c0.get 4 int 33"}));
}

// The scripted user presses, moves and redraws through the callbacks the module set.
TEST_F(PanelServices, ScriptedUserDrivesTheCallbacks) {
    HostPanel panel = services.create("t", &services);
    Received received;
    HostControl* area = services.addControl(panel, "AreaControl", nullptr, "");
    HostControl* slider = addSlider(panel, "Red");
    setPointer(area, CTL_USERDATA, &received);
    setPointer(area, CTL_USERDRAW, reinterpret_cast<void*>(recordControlDraw));
    setPointer(slider, CTL_USERDATA, &received);
    setPointer(slider, CTL_USEREVENT, reinterpret_cast<void*>(recordEvent));
    services.set(panel, PAN_USERDRAW, reinterpret_cast<void*>(recordPanelDraw));
    standin::setScriptedUser([&](standin::PanelSession& user) {
        user.moveSlider(1, 77);
        user.press("Red");
        area->draw(area, DR_REFRESH);
        user.redraw(DR_RENDER);
        return true;
    });
    EXPECT_EQ(services.open(panel, 7), 1);
    EXPECT_EQ(standin::panelCallTexts().back(), "drawRGBBox 1 2 3 0 0 1 1");
    EXPECT_EQ(received.events, (Calls{"event", "event", "control draw 3"}));
    ControlValue value{.intv = {CV_INTEGER, 0, 0}};
    slider->get(slider, CTL_VALUE, &value);
    EXPECT_EQ(value.intv.value, 77);
}

TEST_F(PanelServices, OpenReturnsTheUsersDecision) {
    HostPanel panel = services.create("t", &services);
    standin::setScriptedUser([](standin::PanelSession&) { return false; });
    EXPECT_EQ(services.open(panel, 7), 0);
    standin::setScriptedUser([](standin::PanelSession& user) -> bool {
        user.control("no such label");
        return true;
    });
    EXPECT_EQ(services.open(panel, 7), 0);  // a failing script cancels
    EXPECT_EQ(standin::panelCallTexts().back(), "user failed: no control labelled no such label");
    standin::setScriptedUser(nullptr);
    EXPECT_EQ(services.open(panel, 7), 1);
}

TEST_F(PanelServices, CreationCanBeMadeToFail) {
    standin::failPanelCreation(true);
    EXPECT_EQ(services.create("t", &services), nullptr);
    standin::resetPanelServices();
    EXPECT_NE(services.create("t", &services), nullptr);
}

// A reset host has no scripted user: a panel opened after it is confirmed at once.
TEST_F(PanelServices, ResetForgetsTheScriptedUser) {
    standin::setScriptedUser([](standin::PanelSession&) { return false; });
    standin::resetPanelServices();
    EXPECT_EQ(services.open(services.create("t", &services), 7), 1);
}

TEST_F(PanelServices, PanelSizeIsSetThroughPointersToInts) {
    HostPanel panel = services.create("t", &services);
    int width = 386;
    services.set(panel, PAN_W, &width);
    int read = 0;
    services.get(panel, PAN_W, &read);
    EXPECT_EQ(read, 386);
    services.destroy(panel);
    services.set(panel, PAN_W, &width);  // a destroyed panel is not touched
    EXPECT_EQ(standin::panelCallTexts().back(), "set on unknown panel");
}

TEST_F(PanelServices, PainterShowsFrameSwatchAndText) {
    HostPanel panel = services.create("t", &services);
    int width = 60, height = 40;
    services.set(panel, PAN_W, &width);
    services.set(panel, PAN_H, &height);
    services.drawFuncs->drawRGBBox(panel, 250, 10, 20, 10, 10, 5, 5);
    services.drawFuncs->drawText(panel, "I", 0, 30, 20);
    render::Image image;
    standin::setScriptedUser([&](standin::PanelSession& user) {
        image = render::paintPanel(user.panel());
        return false;
    });
    services.open(panel, 7);
    ASSERT_EQ(image.width, 60);
    ASSERT_EQ(image.height, 40);
    ASSERT_EQ(image.rgb.size(), 60u * 40u * 3u);
    auto pixel = [&](int x, int y) {
        const auto at = static_cast<std::size_t>(3 * (y * 60 + x));
        return std::vector<int>{image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
    };
    EXPECT_EQ(pixel(12, 12), (std::vector<int>{250, 10, 20}));
    EXPECT_EQ(pixel(32, 20), (std::vector<int>{0, 0, 0}));  // the I's top bar
    EXPECT_NE(pixel(20, 30), pixel(0, 39));                 // background against frame
}

}  // namespace
