// The table of the named looks that a user types into the renderer by hand (on the page on
// installing the plug-in, which is also the release's INSTALL.txt) holds what the options
// panel shows for each look once its parameters are loaded through the module, and the
// look's surface inputs in the renderer's units (a map by its file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/host_globals.h"
#include "host/module_path.h"
#include "host/panel_services.h"
#include "host/shader_driver.h"
#include "looks/preset.h"
#include "preview/tool_run.h"

namespace {

using Row = std::vector<std::string>;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The table's rows under its heading, by look name, each without the name; the heading
// row and the one under it are not looks.
std::map<std::string, Row> tableRows(const std::string& page) {
    std::map<std::string, Row> rows;
    std::istringstream lines(page.substr(page.find("## The named looks, typed in by hand")));
    std::string line;
    int tableLine = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("|", 0) != 0) {
            if (tableLine > 0) break;
            continue;
        }
        if (++tableLine <= 2) continue;
        Row cells;
        std::istringstream parts(line.substr(1));
        std::string cell;
        while (std::getline(parts, cell, '|')) cells.push_back(trimmed(cell));
        if (cells.size() > 1) rows[cells[0]] = Row(cells.begin() + 1, cells.end());
    }
    return rows;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string percent(double fraction) { return number(fraction * 100.0) + " %"; }

std::string channels(double r, double g, double b) {
    return number(r) + ", " + number(g) + ", " + number(b);
}

// The panel's values for the look: its two percentages, its three sliders, its switches.
struct PanelShows {
    double density = -1, transparency = -1;
    std::vector<double> sliders;
    std::vector<double> switches;
};

PanelShows openPanel(const standin::ShaderModule& module, const standin::ShaderInstance& instance) {
    PanelShows shown;
    standin::setScriptedUser([&shown](standin::PanelSession& user) {
        shown.density = user.value("Density");
        shown.transparency = user.value("Transparency");
        for (int i = 0; i < user.controlCount(); ++i) {
            const standin::PanelControl& control = user.control(i);
            if (control.kind == "MiniSliderControl") shown.sliders.push_back(control.value);
            if (control.kind == "BoolControl") shown.switches.push_back(control.value);
        }
        return false;
    });
    const auto opened = module.file().activate("ShaderInterface", "pelorix3", 2,
                                               standin::globalFunc, instance.handle());
    standin::setScriptedUser(nullptr);
    EXPECT_TRUE(opened.ok() && opened.value() == 0);
    return shown;
}

TEST(LooksTable, HoldsWhatThePanelShowsForEachLook) {
    standin::Host::instance().reset();
    const std::map<std::string, Row> rows = tableRows(readFile(PELORIX3_LOOKS_TABLE));
    auto module = standin::ShaderModule::open(standin::defaultModulePath());
    ASSERT_TRUE(module.ok()) << module.error();
    const auto names = looks::presetNames(looks::defaultPresetsFolder());
    ASSERT_TRUE(names.ok()) << names.error();
    EXPECT_EQ(rows.size(), names.value().size());
    for (const std::string& name : names.value()) {
        SCOPED_TRACE(name);
        const auto look = looks::readPreset(looks::defaultPresetsFolder(), name);
        ASSERT_TRUE(look.ok()) << look.error();
        auto instance = module->createInstance();
        ASSERT_TRUE(instance.ok()) << instance.error();
        ASSERT_TRUE(looks::loadInto(instance.value(), look->parameters).ok());
        const PanelShows panel = openPanel(module.value(), instance.value());
        ASSERT_EQ(panel.sliders.size(), 3u);
        ASSERT_EQ(panel.switches.size(), 2u);
        // As the text above says: Modulate Density by Luminosity only where a map drives it.
        const auto luminousMap = std::find_if(
            look->maps.begin(), look->maps.end(),
            [](const looks::LookMap& map) { return map.input == render::SurfaceInput::Luminous; });
        const bool mapped = luminousMap != look->maps.end();
        EXPECT_EQ(panel.switches, (std::vector<double>{1, mapped ? 1.0 : 0.0}));

        const render::SurfaceInputs& surface = look->surface;
        const Row expected{
            number(panel.density) + " %",
            number(panel.transparency) + " %",
            channels(panel.sliders[0], panel.sliders[1], panel.sliders[2]),
            channels(std::lround(surface.color[0] * 255), std::lround(surface.color[1] * 255),
                     std::lround(surface.color[2] * 255)),
            percent(surface.diffuse),
            percent(surface.specular),
            mapped ? std::filesystem::path(luminousMap->path).filename().string() + " (image map)"
                   : percent(surface.luminous),
            number(surface.roughness)};
        const auto row = rows.find(name);
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->second, expected);
    }
    standin::Host::instance().reset();
}

}  // namespace
