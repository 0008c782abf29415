// Builds an options panel from an arbitrary sequence of building operations and margins,
// lays it out, opens it through the interface activation with a user who presses, edits,
// slides and redraws at will before confirming or cancelling, and destroys the instance
// with its panel. A cancelled or uncreatable panel must leave the parameters untouched;
// leaks are the sanitizer's to find.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "framework/host_interface.h"
#include "framework/module_globals.h"
#include "framework/shader_activation.h"
#include "fuzz/fuzz_values.h"
#include "host/host_globals.h"
#include "host/panel_services.h"
#include "panels/about_button.h"
#include "panels/bool_field.h"
#include "panels/color_field.h"
#include "panels/interface.h"
#include "panels/percent_field.h"
#include "panels/text_label.h"
#include "shader/sheen_shader.h"

namespace {

using pelorix3::Interface;
using pelorix3::SheenShader;

constexpr int maxOperations = 200;

struct Module {
    ShaderHandlerTable table{};

    Module() {
        standin::Host::instance().reset();
        if (pelorix3::activateSheenShader(2, standin::globalFunc, &table, nullptr) != 0)
            fuzz::fail("activation");
    }
};

Module& module() {
    static Module loaded;
    return loaded;
}

// Margins a panel description may give: mostly small, now and then large, never so large
// that a sum of a few hundred of them leaves the int range.
int margin(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return input.ConsumeIntegralInRange(-1 << 20, 1 << 20);
    return input.ConsumeIntegralInRange(-20, 40);
}

const char* label(FuzzedDataProvider& input) {
    static constexpr const char* labels[] = {"", "Density", "Don't Overlap Raytraced Shadows",
                                             "([I'm.]) \t\x7f\xff", "Specular Color"};
    return input.PickValueInArray(labels);
}

pelorix3::Control* anyControl(FuzzedDataProvider& input, SheenShader& shader) {
    using namespace pelorix3;
    const int mx = margin(input);
    const int my = margin(input);
    switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            const char* text = label(input);
            return new (std::nothrow) TextLabel(text, input.ConsumeIntegral<int>(), mx, my);
        }
        case 1:
            return new (std::nothrow) BoolField(label(input), &shader.dontOverlapShadows, mx, my);
        case 2:
            return new (std::nothrow) PercentField(label(input), &shader.density, mx, my);
        case 3:
            return new (std::nothrow) ColorField(&shader.specularColor, mx, my);
        case 4: {
            const char* first = label(input);
            return new (std::nothrow) AboutButton(first, label(input));
        }
        default:
            return nullptr;
    }
}

void build(FuzzedDataProvider& input, Interface& panel, SheenShader& shader) {
    const int operations = input.ConsumeIntegralInRange(0, maxOperations);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i) {
        switch (input.ConsumeIntegralInRange(0, 6)) {
            case 0:
                panel.beginGroup(margin(input), margin(input));
                break;
            case 1:
                panel.endGroup();
                break;
            case 2:
                panel.beginRow();
                break;
            case 3:
                panel.endRow();
                break;
            case 4:
                panel.beginColumn();
                break;
            case 5:
                panel.endColumn();
                break;
            default:
                panel.add(anyControl(input, shader));
                break;
        }
    }
}

// The user's moves while the panel is open, then confirm or cancel.
standin::ScriptedUser user(FuzzedDataProvider& input) {
    return [&input](standin::PanelSession& session) {
        const int moves = input.ConsumeIntegralInRange(0, 12);
        for (int i = 0; i < moves && session.controlCount() > 0; ++i) {
            const int index = input.ConsumeIntegralInRange(0, session.controlCount() - 1);
            switch (input.ConsumeIntegralInRange(0, 3)) {
                case 0:
                    session.press(index);
                    break;
                case 1:
                    session.setValue(index, fuzz::anyDouble(input));
                    break;
                case 2:
                    session.moveSlider(index, input.ConsumeIntegralInRange(-300, 300));
                    break;
                default:
                    session.redraw(input.ConsumeIntegralInRange(0, 3));
                    break;
            }
        }
        return input.ConsumeBool();
    };
}

struct Parameters {
    double density, transparency, r, g, b;
    int dontOverlapShadows, densityByLuminosity;

    explicit Parameters(const SheenShader& s)
        : density(s.density),
          transparency(s.transparency),
          r(s.specularColor.x),
          g(s.specularColor.y),
          b(s.specularColor.z),
          dontOverlapShadows(s.dontOverlapShadows),
          densityByLuminosity(s.densityByLuminosity) {}

    bool operator==(const Parameters& other) const {
        return std::memcmp(this, &other, sizeof *this) == 0;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Module& m = module();
    standin::resetPanelServices();
    standin::Host::instance().messages().clear();  // the host keeps every message shown

    auto* shader = static_cast<SheenShader*>(m.table.create(nullptr));
    if (shader == nullptr) fuzz::fail("create");
    delete shader->panel;
    auto* panel = new (std::nothrow) Interface(shader);
    if (panel == nullptr) fuzz::fail("panel");
    shader->panel = panel;
    panel->title = "fuzz";
    build(input, *panel, *shader);
    panel->layout();

    const bool hostFails = input.ConsumeIntegralInRange(0, 15) == 0;
    standin::failPanelCreation(hostFails);
    bool confirmed = false;
    standin::ScriptedUser script = user(input);
    standin::setScriptedUser([&](standin::PanelSession& session) {
        confirmed = script(session);
        return confirmed;
    });
    const Parameters before(*shader);
    const int result = pelorix3::activateShaderInterface(1, standin::globalFunc, shader, nullptr);
    fuzz::require(result == (hostFails ? pelorix3::panelUnavailable : 0), "open result");
    if (!confirmed) fuzz::require(Parameters(*shader) == before, "cancel keeps the parameters");

    standin::resetPanelServices();
    pelorix3::editedInstance = nullptr;
    m.table.destroy(shader);
    return 0;
}
