// Where the painter shows each control, so that a pointer lands on the control shown under
// it, and a field being typed into shows the typed text.
#include "render/panel_painter.h"

#include <gtest/gtest.h>

#include <string>

#include "host/panel_services.h"

namespace {

class PanelPainter : public ::testing::Test {
protected:
    void SetUp() override {
        standin::resetPanelServices();
        panel = services.create("test", &services);
        int width = 300;
        int height = 60;
        services.set(panel, PAN_W, &width);
        services.set(panel, PAN_H, &height);
    }
    void TearDown() override { standin::resetPanelServices(); }

    HostControl* add(const char* kind, ControlDesc desc, const char* label, int x, int y) {
        HostControl* control = services.addControl(panel, kind, &desc, label);
        ControlValue value{};
        value.intv = {CV_INTEGER, x, 0};
        control->set(control, CTL_X, &value);
        value.intv = {CV_INTEGER, y, 0};
        control->set(control, CTL_Y, &value);
        return control;
    }

    // Paints the open panel, with `typing` in the first control when given.
    render::Image paint(const char* typing = nullptr) {
        render::Image image;
        standin::setScriptedUser([&](standin::PanelSession& user) {
            if (typing) user.control(0).typing = typing;
            image = render::paintPanel(user.panel());
            return false;
        });
        services.open(panel, 7);
        return image;
    }

    static ControlDesc range(int width, int min, int max) {
        ControlDesc desc{};
        desc.range = {CD_RANGE, width, min, max};
        return desc;
    }

    ::PanelServices& services = *standin::panelServices();
    HostPanel panel = nullptr;
};

TEST_F(PanelPainter, ControlsAreFoundWhereTheyArePainted) {
    add("PercentControl", range(0, 0, 100), "Density", 10, 20);  // label 42 px, field 50
    ControlDesc boolean{};
    boolean.type = CD_BOOLEAN;
    add("BoolControl", boolean, "On", 10, 0);
    add("MiniSliderControl", range(25, 0, 255), "", 150, 20);
    ControlDesc area{};
    area.area = {CD_AREA, 40, 17};
    add("AreaControl", area, "", 220, 0);  // its border 12 in and 5 down, 42 x 19
    standin::Panel& shown = *static_cast<standin::Panel*>(panel);
    ASSERT_NE(render::controlAt(shown, 10, 20), nullptr);
    EXPECT_EQ(render::controlAt(shown, 10, 20)->kind, "PercentControl");
    EXPECT_EQ(render::controlAt(shown, 109, 39)->kind, "PercentControl");  // the field's end
    EXPECT_EQ(render::controlAt(shown, 110, 30), nullptr);
    EXPECT_EQ(render::controlAt(shown, 16, 10)->kind, "BoolControl");  // its box
    EXPECT_EQ(render::controlAt(shown, 30, 10)->kind, "BoolControl");  // its label
    EXPECT_EQ(render::controlAt(shown, 150, 25), nullptr);             // above the field
    EXPECT_EQ(render::controlAt(shown, 150, 26)->kind, "MiniSliderControl");
    EXPECT_EQ(render::controlAt(shown, 209, 42)->kind, "MiniSliderControl");
    EXPECT_EQ(render::controlAt(shown, 210, 30), nullptr);
    EXPECT_EQ(render::controlAt(shown, 231, 10), nullptr);
    EXPECT_EQ(render::controlAt(shown, 232, 5)->kind, "AreaControl");
    EXPECT_EQ(render::controlAt(shown, 273, 23)->kind, "AreaControl");
    EXPECT_EQ(render::controlAt(shown, 274, 23), nullptr);
}

TEST_F(PanelPainter, ASliderTakesTheValueItsBarReachesThere) {
    HostControl* api = add("MiniSliderControl", range(25, 0, 255), "", 150, 20);
    const standin::PanelControl& slider = *static_cast<standin::PanelControl*>(api->priv);
    EXPECT_EQ(render::sliderValueAt(slider, 151), 0);  // the bar starts inside the border
    EXPECT_EQ(render::sliderValueAt(slider, 151 + 58), 255);
    EXPECT_EQ(render::sliderValueAt(slider, 151 + 29), 128);  // 127.5 rounds up
    EXPECT_EQ(render::sliderValueAt(slider, 100), 0);
    EXPECT_EQ(render::sliderValueAt(slider, 400), 255);
    HostControl* offset = add("MiniSliderControl", range(25, 100, 200), "", 150, 40);
    const auto& fromHundred = *static_cast<standin::PanelControl*>(offset->priv);
    EXPECT_EQ(render::sliderValueAt(fromHundred, 151), 100);
    EXPECT_EQ(render::sliderValueAt(fromHundred, 151 + 29), 150);
}

// A module's drawLine joins its two ends, one pixel for each step along the longer side.
TEST_F(PanelPainter, ALineIsDrawnFromEndToEnd) {
    const render::Image plain = paint();
    render::Image lined;
    standin::setScriptedUser([&](standin::PanelSession& user) {
        services.drawFuncs->drawLine(panel, 0, 10, 10, 20, 15);
        lined = render::paintPanel(user.panel());
        return false;
    });
    services.open(panel, 7);
    ASSERT_EQ(lined.rgb.size(), plain.rgb.size());
    const auto differs = [&](int x, int y) {
        const std::size_t at = 3 * (static_cast<std::size_t>(y) * plain.width + x);
        return lined.rgb[at] != plain.rgb[at] || lined.rgb[at + 1] != plain.rgb[at + 1] ||
               lined.rgb[at + 2] != plain.rgb[at + 2];
    };
    int drawn = 0;
    for (int y = 0; y < plain.height; ++y)
        for (int x = 0; x < plain.width; ++x) drawn += differs(x, y);
    EXPECT_EQ(drawn, 11);
    EXPECT_TRUE(differs(10, 10));
    EXPECT_TRUE(differs(20, 15));
}

TEST_F(PanelPainter, AFieldBeingTypedIntoShowsTheTypedText) {
    HostControl* api = add("PercentControl", range(0, 0, 100), "Density", 10, 20);
    ControlValue value{};
    value.flt = {CV_FLOAT, 33.0, 0.0};
    api->set(api, CTL_VALUE, &value);
    const render::Image shown = paint();
    const render::Image typing = paint("7");
    const render::Image typed = paint("7");
    ASSERT_EQ(shown.rgb.size(), typing.rgb.size());
    EXPECT_NE(shown.rgb, typing.rgb);
    EXPECT_EQ(typing.rgb, typed.rgb);
    // Only the field's inside differs: the label and the rest of the panel are the same.
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const std::size_t at = 3 * (static_cast<std::size_t>(y) * shown.width + x);
            const bool inField = x >= 60 && x < 110 && y >= 21 && y < 38;
            if (!inField) {
                ASSERT_EQ(shown.rgb[at], typing.rgb[at]) << x << ", " << y;
            }
        }
    }
}

}  // namespace
