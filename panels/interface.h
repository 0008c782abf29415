// The root of a panel description: the layout tree, its measurement, and the host panel
// that each opening builds from it.
#ifndef PELORIX3_PANELS_INTERFACE_H
#define PELORIX3_PANELS_INTERFACE_H

#include "framework/host_interface.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ShadingServer;
class Control;
class ControlGroup;

// Result of open when the host panel cannot be made (or the panel services are missing),
// and of the options activation when the instance has no panel.
inline constexpr int panelUnavailable = 2;

// The handler that owns an Interface destroys it as an Interface: its virtual operations
// are draw, redraw, open and layout, in this order, and its destructor is not virtual.
class Interface final {
public:
    // An empty tree for handler; acquires the host's panel services at once.
    explicit Interface(ShadingServer* owner);
    // Deletes the tree.
    ~Interface();
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;

    // Building operations; each acts on the innermost open container. A building step that
    // finds no open container where it needs one shows a message and changes nothing.
    void beginGroup(int marginX, int marginY);
    void endGroup();
    void beginRow();
    void endRow();
    void beginColumn();
    void endColumn();
    // Attaches control in the innermost open column, or at the top level when no group is
    // open; the tree owns it from here on. A null control is ignored.
    void add(Control* control);

    // The panel-services table, or the message text when the host has none.
    HostError acquirePanelServices();

    // Draws the module's own parts of the open panel (swatches and labels).
    virtual void draw(void* data, int mode);
    virtual void redraw();
    // Runs the host panel modally; the bound variables take the edited values when the
    // user confirms. 0 after a normal run, panelUnavailable when no host panel can be made.
    virtual int open();
    // Measures and places the tree; once, after building.
    virtual void layout();

    int width = 0;
    int height = 0;
    const char* title = nullptr;
    HostPanel hostPanel = nullptr;
    ShadingServer* handler;
    ControlStack children;
    int groupOpen = 0;
    PanelServices* panelServices = nullptr;

private:
    // The group still open as the last top-level child, or null.
    ControlGroup* openGroup() const;
    // Pushes a new group as the last top-level child; false when memory runs out.
    bool openTopLevelGroup(int marginX, int marginY);
    // Whether the panel services offer every call that open and the controls make.
    bool servicesUsable() const;
    void createControls();
    void fetchValues();
};

}  // namespace pelorix3

#endif
