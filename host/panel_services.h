// The stand-in host's panel services ("LWPanelServices"): panels, their controls and the
// drawing table, with every call the module makes recorded in order. A panel's modal open
// is driven by a scripted user, code that reads and edits the controls while the panel is
// open and then confirms or cancels it. Panel work runs on one thread, as in the renderer.
#ifndef PELORIX3_HOST_PANEL_SERVICES_H
#define PELORIX3_HOST_PANEL_SERVICES_H

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/host_interface.h"

namespace standin {

// One call the module made into the panel services, in a fixed text form such as
// `addControl c0 PercentControl 15 0 100 "Density"`, `c0.set 4 float 33` or
// `drawRGBBox 255 255 255 23 26 40 17`. Pointer arguments (user data, callbacks) print as
// "ptr" and are kept in pointer.
struct PanelCall {
    std::string text;
    const void* pointer = nullptr;
};

struct PanelControl;

// A call of the drawing table, kept with its panel for painting.
struct DrawCall {
    std::string function;        // "drawRGBBox", "drawText", ...
    std::vector<int> arguments;  // the int arguments in order (colours, positions, sizes)
    std::string text;            // the text of drawText
};

// A panel made by create; the HostPanel handle is its address.
struct Panel {
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;
    PanelDrawFunc drawCallback = nullptr;
    std::vector<std::unique_ptr<PanelControl>> controls;  // creation order
    std::vector<DrawCall> drawing;  // the drawing-table calls made on this panel, in order
};

// A control made by addControl; the module holds its HostControl api.
struct PanelControl {
    HostControl api{};
    Panel* panel = nullptr;
    int index = 0;  // position in the panel's creation order
    std::string kind;
    std::string label;
    ControlDesc desc{};
    int x = 0, y = 0;
    double value = 0.0;
    ControlEventFunc eventCallback = nullptr;
    ControlDrawFunc drawCallback = nullptr;
    void* userData = nullptr;
    // The text the user is typing into the field, shown instead of its value; none while
    // the field does not have the keyboard.
    std::optional<std::string> typing;
};

// What the scripted user works with while the panel is open.
class PanelSession {
public:
    explicit PanelSession(Panel& panel) : panel_(panel) {}

    Panel& panel() { return panel_; }
    int controlCount() const { return static_cast<int>(panel_.controls.size()); }
    // The control at index, or the first with label; throws std::out_of_range when there
    // is none (the script is test code, never called from the module).
    PanelControl& control(int index);
    PanelControl& control(const std::string& label);

    double value(int index) { return control(index).value; }
    double value(const std::string& label) { return control(label).value; }
    void setValue(int index, double value) { control(index).value = value; }
    void setValue(const std::string& label, double value) { control(label).value = value; }

    // Calls the control's event callback with its user data.
    void press(int index);
    void press(const std::string& label) { press(control(label).index); }
    // Sets the slider's value, then calls its event callback.
    void moveSlider(int index, int value);
    // Calls the panel's drawing callback with mode.
    void redraw(int mode);

private:
    Panel& panel_;
};

// Runs during open; true confirms the panel, false cancels it.
using ScriptedUser = std::function<bool(PanelSession&)>;

// Makes the next panels' open run user; with no user, open confirms untouched.
void setScriptedUser(ScriptedUser user);
// Makes create return null (and record the failure) until reset.
void failPanelCreation(bool fail);
// The calls recorded since the last reset, in order.
const std::vector<PanelCall>& panelCalls();
std::vector<std::string> panelCallTexts();
// Forgets the calls recorded so far; panels and controls stay.
void clearPanelCalls();
// Destroys every panel, forgets the calls and the script, lets creation succeed again.
void resetPanelServices();

// The table to serve as "LWPanelServices", with its full drawing table.
PanelServices* panelServices();

}  // namespace standin

#endif
