#include "web/panel_user.h"

#include "base/number_text.h"
#include "host/host_globals.h"

namespace studio {
namespace {

using standin::PanelControl;
using standin::PanelSession;

bool isNumberKey(const std::string& name) {
    return name.size() == 1 &&
           ((name[0] >= '0' && name[0] <= '9') || name[0] == '.' || name[0] == '-');
}

// The percentage the typed text holds, when it holds one whole.
std::optional<double> typedPercent(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = base::number_text::parse(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

}  // namespace

PanelUser::PanelUser(const standin::ShaderModule& module, const standin::ShaderInstance& instance,
                     std::function<void()> confirmed)
    : module_(module), instance_(instance), confirmed_(std::move(confirmed)) {}

base::Result<bool> PanelUser::open(const Gesture& gesture) {
    bool confirmed = false;
    standin::setScriptedUser([&](PanelSession& session) {
        // The host draws the panel as it opens it: the module paints its swatch and its
        // text label from the panel's drawing callback.
        session.redraw(DR_RENDER);
        confirmed = gesture(session);
        if (typingLabel_) session.control(*typingLabel_).typing = typed_;
        picture_ = render::paintPanel(session.panel());
        return confirmed;
    });
    const base::Result<int> opened = module_.file().activate(
        "ShaderInterface", "pelorix3", 2, standin::globalFunc, instance_.handle());
    standin::setScriptedUser(nullptr);
    using Outcome = base::Result<bool>;
    if (!opened) return Outcome::failure(opened.error());
    if (opened.value() != 0) {
        return Outcome::failure("the options panel did not open (activation result " +
                                std::to_string(opened.value()) + ")");
    }
    if (confirmed && confirmed_) confirmed_();
    return Outcome::success(confirmed);
}

base::Result<bool> PanelUser::show() {
    return open([](PanelSession&) { return false; });
}

base::Result<bool> PanelUser::pointerDown(int x, int y) {
    return open([this, x, y](PanelSession& session) { return click(session, x, y); });
}

// A click commits any typing; on a switch it flips it, on a slider it moves the slider there
// and starts a drag, on a percent field it gives the field the keyboard, on a button it
// presses it. Each change goes through the control's event callback, as the host's own
// controls raise it.
bool PanelUser::click(PanelSession& session, int x, int y) {
    const bool typed = commitTyping(session);
    PanelControl* control = render::controlAt(session.panel(), x, y);
    if (control == nullptr) return typed;
    if (control->kind == "BoolControl") {
        session.setValue(control->index, control->value != 0.0 ? 0.0 : 1.0);
        session.press(control->index);
        return true;
    }
    if (control->kind == "MiniSliderControl") {
        dragging_ = control->index;
        session.moveSlider(control->index, render::sliderValueAt(*control, x));
        return true;
    }
    if (control->kind == "PercentControl") {
        typingLabel_ = control->label;
        return typed;
    }
    if (control->kind == "ButtonControl") session.press(control->index);
    return typed;
}

base::Result<bool> PanelUser::pointerMove(int x, int /*y*/) {
    if (!dragging_) return base::Result<bool>::success(false);
    const int slider = *dragging_;
    return open([slider, x](PanelSession& session) {
        PanelControl& control = session.control(slider);
        const int value = render::sliderValueAt(control, x);
        if (value == static_cast<int>(control.value)) return false;
        session.moveSlider(slider, value);
        return true;
    });
}

// Ends the typing; the typed percentage goes into the field when it holds one that
// differs from the field's value. True when it did.
bool PanelUser::commitTyping(PanelSession& session) {
    if (!typingLabel_) return false;
    const std::optional<double> percent = typedPercent(typed_);
    PanelControl& field = session.control(*typingLabel_);
    typingLabel_.reset();
    typed_.clear();
    if (!percent || field.value == *percent) return false;
    session.setValue(field.index, *percent);
    session.press(field.index);
    return true;
}

bool PanelUser::tabFrom(PanelSession& session, int step) {
    const int from = session.control(*typingLabel_).index;
    const bool typed = commitTyping(session);
    for (int index = from + step; index >= 0 && index < session.controlCount(); index += step) {
        if (session.control(index).kind == "PercentControl") {
            typingLabel_ = session.control(index).label;
            break;
        }
    }
    return typed;
}

// Digits, point and minus extend the typed text, Backspace shortens it: the field shows
// the text, and nothing changes until the typing is committed.
base::Result<bool> PanelUser::key(const std::string& name) {
    if (!typingLabel_) return base::Result<bool>::success(false);
    if (isNumberKey(name) && typed_.size() < 12) {
        typed_ += name;
    } else if (name == "Backspace" && !typed_.empty()) {
        typed_.pop_back();
    } else if (name == "Escape") {
        typingLabel_.reset();
        typed_.clear();
    } else if (name == "Enter") {
        return open([this](PanelSession& session) { return commitTyping(session); });
    } else if (name == "Tab" || name == "Shift+Tab") {
        const int step = name == "Tab" ? 1 : -1;
        return open([this, step](PanelSession& session) { return tabFrom(session, step); });
    } else {
        return base::Result<bool>::success(false);
    }
    return open([](PanelSession&) { return false; });
}

}  // namespace studio
