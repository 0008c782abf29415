// The options panel a handler owns, as the framework sees it: the "ShaderInterface"
// activation opens it, the host's drawing callback draws into it while it is open, and the
// handler's destructor destroys it. The panel toolkit's Interface is such a panel; the
// framework needs to know no more of it than this.
#ifndef PELORIX3_FRAMEWORK_OPTIONS_PANEL_H
#define PELORIX3_FRAMEWORK_OPTIONS_PANEL_H

namespace pelorix3 {

// Result of open when the host panel cannot be made (or the panel services are missing),
// and of the activation when the instance has no panel.
inline constexpr int panelUnavailable = 2;

class OptionsPanel {
public:
    virtual ~OptionsPanel() = default;
    // Runs the host panel modally; the edited values are taken when the user confirms.
    // 0 after a normal run, panelUnavailable when no host panel can be made.
    virtual int open() = 0;
    // Draws the module's own parts of the open panel.
    virtual void draw(void* data, int mode) = 0;

protected:
    OptionsPanel() = default;
    OptionsPanel(const OptionsPanel&) = default;
    OptionsPanel& operator=(const OptionsPanel&) = default;
};

}  // namespace pelorix3

#endif
