#include "host/panel_services.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace standin {

namespace {

struct PanelHostState {
    std::vector<std::unique_ptr<Panel>> panels;
    std::vector<PanelCall> calls;
    ScriptedUser user;
    bool failCreation = false;
};

PanelHostState& state() {
    static PanelHostState instance;
    return instance;
}

const char* const controlKinds[] = {"PercentControl", "BoolControl", "AreaControl",
                                    "MiniSliderControl", "ButtonControl"};

std::string quoted(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : std::string("null");
}

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string name(const PanelControl& control) { return "c" + std::to_string(control.index); }

void record(std::string text, const void* pointer = nullptr) {
    state().calls.push_back({std::move(text), pointer});
}

Panel* findPanel(HostPanel handle) {
    for (const auto& panel : state().panels) {
        if (panel.get() == handle) return panel.get();
    }
    return nullptr;
}

PanelControl* controlOf(HostControl* control) {
    return control ? static_cast<PanelControl*>(control->priv) : nullptr;
}

int toInt(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, double{INT_MIN}, double{INT_MAX}));
}

// ---- Controls -----------------------------------------------------------------------

void controlDraw(HostControl* api, int mode) {
    PanelControl* control = controlOf(api);
    if (control == nullptr) return record("draw on unknown control");
    record(name(*control) + ".draw " + std::to_string(mode));
    if (control->drawCallback) control->drawCallback(api, control->userData, mode);
}

bool isPointerTag(int tag) {
    return tag == CTL_USERDRAW || tag == CTL_USEREVENT || tag == CTL_USERDATA;
}

void* pointerTag(const PanelControl& control, int tag) {
    if (tag == CTL_USERDRAW) return reinterpret_cast<void*>(control.drawCallback);
    if (tag == CTL_USEREVENT) return reinterpret_cast<void*>(control.eventCallback);
    return control.userData;
}

void controlGet(HostControl* api, int tag, ControlValue* value) {
    PanelControl* control = controlOf(api);
    if (control == nullptr || value == nullptr) return record("get on unknown control");
    const std::string prefix = name(*control) + ".get " + std::to_string(tag);
    if (tag == CTL_VALUE && value->type == CV_FLOAT) {
        value->flt.value = control->value;
        return record(prefix + " float " + number(control->value));
    }
    if (isPointerTag(tag)) {
        value->ptr.ptr = pointerTag(*control, tag);
        return record(prefix + " ptr", value->ptr.ptr);
    }
    const int result = tag == CTL_X   ? control->x
                       : tag == CTL_Y ? control->y
                       : tag == CTL_VALUE ? toInt(control->value)
                                          : 0;
    value->intv.value = result;
    record(prefix + " int " + std::to_string(result));
}

void setPointerTag(PanelControl& control, int tag, void* pointer) {
    if (tag == CTL_USERDRAW) control.drawCallback = reinterpret_cast<ControlDrawFunc>(pointer);
    if (tag == CTL_USEREVENT) control.eventCallback = reinterpret_cast<ControlEventFunc>(pointer);
    if (tag == CTL_USERDATA) control.userData = pointer;
}

void controlSet(HostControl* api, int tag, ControlValue* value) {
    PanelControl* control = controlOf(api);
    if (control == nullptr || value == nullptr) return record("set on unknown control");
    const std::string prefix = name(*control) + ".set " + std::to_string(tag);
    if (isPointerTag(tag)) {
        setPointerTag(*control, tag, value->ptr.ptr);
        return record(prefix + " ptr", value->ptr.ptr);
    }
    if (tag == CTL_VALUE && value->type == CV_FLOAT) {
        control->value = value->flt.value;
        return record(prefix + " float " + number(value->flt.value));
    }
    const int given = value->intv.value;
    if (tag == CTL_X) control->x = given;
    if (tag == CTL_Y) control->y = given;
    if (tag == CTL_VALUE) control->value = given;
    record(prefix + " int " + std::to_string(given));
}

// The description fields the host reads for each kind of control.
std::string describe(const std::string& kind, const ControlDesc& desc) {
    const std::string type = std::to_string(desc.type);
    auto join = [&](std::initializer_list<int> fields) {
        std::string text = type;
        for (int field : fields) text += " " + std::to_string(field);
        return text;
    };
    if (kind == "PercentControl") return join({desc.range.min, desc.range.max});
    if (kind == "MiniSliderControl")
        return join({desc.range.width, desc.range.min, desc.range.max});
    if (kind == "AreaControl" || kind == "ButtonControl")
        return join({desc.area.width, desc.area.height});
    return type;
}

bool knownKind(const char* kind) {
    if (kind == nullptr) return false;
    return std::any_of(std::begin(controlKinds), std::end(controlKinds),
                       [&](const char* known) { return std::string(known) == kind; });
}

// ---- Panels -------------------------------------------------------------------------

HostPanel panelCreate(const char* title, void* /*services*/) {
    if (state().failCreation) {
        record("create " + quoted(title) + " failed");
        return nullptr;
    }
    auto panel = std::make_unique<Panel>();
    panel->title = title ? title : "";
    state().panels.push_back(std::move(panel));
    record("create " + quoted(title));
    return state().panels.back().get();
}

void panelDestroy(HostPanel handle) {
    auto& panels = state().panels;
    auto found = std::find_if(panels.begin(), panels.end(),
                              [&](const auto& panel) { return panel.get() == handle; });
    if (found == panels.end()) return record("destroy unknown panel");
    panels.erase(found);
    record("destroy");
}

bool runUser(Panel& panel) {
    if (!state().user) return true;
    PanelSession session(panel);
    try {
        return state().user(session);
    } catch (const std::exception& error) {
        record(std::string("user failed: ") + error.what());
        return false;
    }
}

int panelOpen(HostPanel handle, int flags) {
    Panel* panel = findPanel(handle);
    record("open " + std::to_string(flags));
    if (panel == nullptr) return 0;
    return runUser(*panel) ? 1 : 0;
}

int panelHandle(HostPanel /*handle*/, int flags) {
    record("handle " + std::to_string(flags));
    return 0;
}

void panelDraw(HostPanel handle, int mode) {
    Panel* panel = findPanel(handle);
    record("draw " + std::to_string(mode));
    if (panel && panel->drawCallback) panel->drawCallback(handle, nullptr, mode);
}

void panelClose(HostPanel /*handle*/) { record("close"); }

int* panelField(Panel& panel, int tag) {
    switch (tag) {
    case PAN_X: return &panel.x;
    case PAN_Y: return &panel.y;
    case PAN_W: return &panel.width;
    case PAN_H: return &panel.height;
    default: return nullptr;
    }
}

void panelGet(HostPanel handle, int tag, void* value) {
    Panel* panel = findPanel(handle);
    int* field = panel ? panelField(*panel, tag) : nullptr;
    record("get " + std::to_string(tag));
    if (field && value) *static_cast<int*>(value) = *field;
}

void panelSet(HostPanel handle, int tag, void* value) {
    Panel* panel = findPanel(handle);
    if (panel == nullptr) return record("set on unknown panel");
    if (tag == PAN_USERDRAW) {
        panel->drawCallback = reinterpret_cast<PanelDrawFunc>(value);
        return record("set 7 ptr", value);
    }
    int* field = panelField(*panel, tag);
    if (field == nullptr || value == nullptr) return record("set " + std::to_string(tag));
    *field = *static_cast<const int*>(value);
    record("set " + std::to_string(tag) + " " + std::to_string(*field));
}

HostControl* panelAddControl(HostPanel handle, const char* kind, ControlDesc* desc,
                             const char* label) {
    Panel* panel = findPanel(handle);
    if (panel == nullptr || !knownKind(kind)) {
        record("addControl " + quoted(kind) + " refused");
        return nullptr;
    }
    auto control = std::make_unique<PanelControl>();
    control->api = {controlDraw, controlGet, controlSet, control.get()};
    control->panel = panel;
    control->index = static_cast<int>(panel->controls.size());
    control->kind = kind;
    control->label = label ? label : "";
    if (desc) control->desc = *desc;
    record("addControl " + name(*control) + " " + control->kind + " " +
           describe(control->kind, control->desc) + " " + quoted(label));
    panel->controls.push_back(std::move(control));
    return &panel->controls.back()->api;
}

HostControl* panelNextControl(HostPanel handle, HostControl* control) {
    Panel* panel = findPanel(handle);
    record("nextControl");
    if (panel == nullptr) return nullptr;
    const PanelControl* current = controlOf(control);
    const std::size_t next = current ? static_cast<std::size_t>(current->index) + 1 : 0;
    return next < panel->controls.size() ? &panel->controls[next]->api : nullptr;
}

// ---- Drawing table ------------------------------------------------------------------

void recordDrawing(HostPanel handle, const std::string& function,
                   std::initializer_list<int> arguments, const char* text = nullptr) {
    std::string line = function;
    if (text) line += " " + quoted(text);
    for (int argument : arguments) line += " " + std::to_string(argument);
    record(line);
    if (Panel* panel = findPanel(handle))
        panel->drawing.push_back({function, arguments, text ? text : ""});
}

void drawPixel(HostPanel panel, int color, int x, int y) {
    recordDrawing(panel, "drawPixel", {color, x, y});
}

void drawRGBPixel(HostPanel panel, int r, int g, int b, int x, int y) {
    recordDrawing(panel, "drawRGBPixel", {r, g, b, x, y});
}

void drawLine(HostPanel panel, int color, int x, int y, int x2, int y2) {
    recordDrawing(panel, "drawLine", {color, x, y, x2, y2});
}

void drawBox(HostPanel panel, int color, int x, int y, int w, int h) {
    recordDrawing(panel, "drawBox", {color, x, y, w, h});
}

void drawRGBBox(HostPanel panel, int r, int g, int b, int x, int y, int w, int h) {
    recordDrawing(panel, "drawRGBBox", {r, g, b, x, y, w, h});
}

void drawBorder(HostPanel panel, int indent, int x, int y, int w, int h) {
    recordDrawing(panel, "drawBorder", {indent, x, y, w, h});
}

void drawText(HostPanel panel, const char* text, int color, int x, int y) {
    recordDrawing(panel, "drawText", {color, x, y}, text ? text : "");
}

int textWidth(HostPanel /*panel*/, const char* text) {
    record("textWidth " + quoted(text));
    return text ? 6 * static_cast<int>(std::string(text).size()) : 0;
}

const DisplayMetrics* dispMetrics() {
    static const DisplayMetrics metrics{1024, 768, 1, 1, 256, 24, 7, 6};
    record("dispMetrics");
    return &metrics;
}

DrawFuncs drawTable{drawPixel, drawRGBPixel, drawLine, drawBox,    drawRGBBox,
                    drawBorder, textWidth,   drawText, dispMetrics};

PanelServices servicesTable{panelCreate, panelDestroy,    panelOpen,        panelHandle,
                            panelDraw,   panelClose,      panelGet,         panelSet,
                            panelAddControl, panelNextControl, &drawTable, nullptr, nullptr};

}  // namespace

// ---- Scripted user ------------------------------------------------------------------

PanelControl& PanelSession::control(int index) {
    return *panel_.controls.at(static_cast<std::size_t>(index));
}

PanelControl& PanelSession::control(const std::string& label) {
    for (const auto& control : panel_.controls) {
        if (control->label == label) return *control;
    }
    throw std::out_of_range("no control labelled " + label);
}

void PanelSession::press(int index) {
    PanelControl& target = control(index);
    record("user.press " + name(target));
    if (target.eventCallback) target.eventCallback(&target.api, target.userData);
}

void PanelSession::moveSlider(int index, int value) {
    PanelControl& slider = control(index);
    record("user.moveSlider " + name(slider) + " " + std::to_string(value));
    slider.value = value;
    if (slider.eventCallback) slider.eventCallback(&slider.api, slider.userData);
}

void PanelSession::redraw(int mode) {
    record("user.redraw " + std::to_string(mode));
    if (panel_.drawCallback) panel_.drawCallback(&panel_, nullptr, mode);
}

void setScriptedUser(ScriptedUser user) { state().user = std::move(user); }

void failPanelCreation(bool fail) { state().failCreation = fail; }

const std::vector<PanelCall>& panelCalls() { return state().calls; }

std::vector<std::string> panelCallTexts() {
    std::vector<std::string> texts;
    for (const PanelCall& call : state().calls) texts.push_back(call.text);
    return texts;
}

void clearPanelCalls() { state().calls.clear(); }

void resetPanelServices() {
    state().panels.clear();
    state().calls.clear();
    state().user = nullptr;
    state().failCreation = false;
}

PanelServices* panelServices() { return &servicesTable; }

}  // namespace standin
