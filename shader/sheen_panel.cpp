#include "shader/sheen_panel.h"

#include <new>

#include "panels/about_button.h"
#include "panels/bool_field.h"
#include "panels/color_field.h"
#include "panels/interface.h"
#include "panels/percent_field.h"
#include "panels/text_label.h"
#include "shader/sheen_shader.h"

namespace pelorix3 {

namespace {

constexpr const char* panelTitle = "pelorix 3.0";
constexpr const char* creditTitle = "pelorix 3.0 sheen surface shader";
constexpr const char* creditNotice = "Velvet and cloth sheen for any surface. Free to use.";
constexpr int groupMarginX = 10;
constexpr int labelColor = 9;

// Closes the current line of controls and opens the next one below it.
void nextLine(Interface& panel) {
    panel.endColumn();
    panel.endRow();
    panel.beginRow();
    panel.beginColumn();
}

}  // namespace

void describeSheenPanel(Interface& panel, SheenShader& shader) {
    panel.title = panelTitle;
    panel.beginGroup(groupMarginX, 0);
    panel.add(new (std::nothrow) BoolField("Don't Overlap Raytraced Shadows",
                                            &shader.dontOverlapShadows, 0, 0));
    nextLine(panel);
    panel.add(new (std::nothrow) PercentField("Density", &shader.density, 0, 0));
    nextLine(panel);
    panel.add(new (std::nothrow) BoolField("Modulate Density by Luminosity",
                                            &shader.densityByLuminosity, 0, 0));
    nextLine(panel);
    panel.add(new (std::nothrow) PercentField("Transparency", &shader.transparency, 0, 0));
    nextLine(panel);
    panel.add(new (std::nothrow) TextLabel("Specular Color", labelColor, 0, 0));
    panel.add(new (std::nothrow) ColorField(&shader.specularColor, 0, 0));
    panel.endGroup();
    panel.add(new (std::nothrow) AboutButton(creditTitle, creditNotice));
}

Interface* buildSheenPanel(SheenShader& shader) {
    auto* panel = new (std::nothrow) Interface(&shader);
    if (panel == nullptr) return nullptr;
    describeSheenPanel(*panel, shader);
    panel->layout();
    return panel;
}

}  // namespace pelorix3
