// The person at the options panel, as the page sees them: clicks, slider drags and typing
// on the panel's canvas. The panel is modal, so each gesture is one whole opening of it
// through the module's "ShaderInterface" server: the stand-in host's panel services open
// the panel, the gesture is carried out on the host control under the pointer (its event
// callback runs into the module's own controls), the panel is painted, and an edit is
// confirmed, so that the module's panel code fetches every value into the instance, and
// the owner is told. A gesture that edits nothing cancels, leaving the instance alone.
//
// Typing into a percent field works as in a desktop tool: the field shows the typed text
// until the typing ends. Enter, Tab (to the next percent field, Shift+Tab to the one
// before) and a click elsewhere commit it; Escape cancels it, and the field shows its
// value again.
#ifndef PELORIX3_WEB_PANEL_USER_H
#define PELORIX3_WEB_PANEL_USER_H

#include <functional>
#include <optional>
#include <string>

#include "base/result.h"
#include "host/panel_services.h"
#include "host/shader_driver.h"
#include "render/panel_painter.h"

namespace studio {

class PanelUser {
public:
    // `confirmed` runs after each opening that edited the instance.
    PanelUser(const standin::ShaderModule& module, const standin::ShaderInstance& instance,
              std::function<void()> confirmed);

    // Each opens the panel once; the result says whether the instance's parameters were
    // edited (the panel confirmed), or why the panel could not be opened.
    base::Result<bool> show();
    base::Result<bool> pointerDown(int x, int y);
    base::Result<bool> pointerMove(int x, int y);
    void pointerUp() { dragging_.reset(); }
    // A key by its DOM name: digits, ".", "-", "Backspace", "Enter", "Escape", "Tab",
    // "Shift+Tab".
    base::Result<bool> key(const std::string& name);

    // The panel as the last opening painted it.
    const render::Image& picture() const { return picture_; }
    // Whether a percent field has the keyboard.
    bool typing() const { return typingLabel_.has_value(); }

private:
    // What a gesture does while the panel is open; true confirms the panel.
    using Gesture = std::function<bool(standin::PanelSession&)>;

    base::Result<bool> open(const Gesture& gesture);
    bool click(standin::PanelSession& session, int x, int y);
    bool commitTyping(standin::PanelSession& session);
    // Commits the typing and gives the keyboard to the next percent field in `step`
    // (1 or -1) of the panel's order; past the last (or first) the typing ends.
    bool tabFrom(standin::PanelSession& session, int step);

    const standin::ShaderModule& module_;
    const standin::ShaderInstance& instance_;
    std::function<void()> confirmed_;
    render::Image picture_;
    std::optional<int> dragging_;             // the slider being dragged, by creation index
    std::optional<std::string> typingLabel_;  // the percent field with the keyboard
    std::string typed_;
};

}  // namespace studio

#endif
