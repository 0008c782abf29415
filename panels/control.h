// Base of every node of the layout tree: containers and controls alike.
#ifndef PELORIX3_PANELS_CONTROL_H
#define PELORIX3_PANELS_CONTROL_H

#include "framework/host_interface.h"

namespace pelorix3 {

class Interface;

class Control {
public:
    // x and y hold the margins until placement adds the assigned position.
    Control(int marginX, int marginY) : x(marginX), y(marginY) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the node's host controls in the owner's open panel.
    virtual void create() {}
    // Moves the node by (left, top); the slot size matters only to containers.
    virtual void place(int left, int top, int slotWidth, int slotHeight);
    // Copies the host control's value into the bound variable.
    virtual void fetchValue() {}
    // Copies the bound variable into the host control.
    virtual void showValue() {}
    // Paints what the module draws itself.
    virtual void draw(int /*mode*/) {}
    // Reacts to an event raised by a host control.
    virtual void onEvent(HostControl* /*control*/) {}
    // Measured size, margins included.
    virtual int width() const { return x + 180; }
    virtual int height() const { return y + 20; }

    Interface* owner = nullptr;
    int x;
    int y;
    HostControl* handle = nullptr;

protected:
    // Adds a host control of kind to the owner's open panel, described by the module-wide
    // controlDesc; null when there is no open panel to add to.
    HostControl* addHostControl(const char* kind, const char* label) const;
    // Sets tags 0 and 1 of control to (left, top).
    static void setPosition(HostControl* control, int left, int top);
    // Sets tag 16 to userData, then tag 14 to the event callback.
    static void setEventCallback(HostControl* control, void* userData, ControlEventFunc event);
    // The owner's drawing table while its panel is open, else null; and the open panel.
    const DrawFuncs* drawFuncs() const;
    HostPanel hostPanel() const;
};

}  // namespace pelorix3

#endif
