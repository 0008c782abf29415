// The options panel of the sheen shader, bound to one instance's parameters.
#ifndef PELORIX3_SHADER_SHEEN_PANEL_H
#define PELORIX3_SHADER_SHEEN_PANEL_H

namespace pelorix3 {

class Interface;
class SheenShader;

// Describes the panel's tree in panel, bound to shader's parameters; not laid out.
void describeSheenPanel(Interface& panel, SheenShader& shader);

// The laid-out "pelorix 3.0" panel editing shader's five parameters; null when it cannot
// be allocated. The caller owns it.
Interface* buildSheenPanel(SheenShader& shader);

}  // namespace pelorix3

#endif
