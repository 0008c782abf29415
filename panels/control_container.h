// A node of the layout tree that holds other nodes: creating, fetching, drawing and event
// routing pass on to its laid-out children in insertion order.
#ifndef PELORIX3_PANELS_CONTROL_CONTAINER_H
#define PELORIX3_PANELS_CONTROL_CONTAINER_H

#include "panels/control.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ControlContainer : public Control {
public:
    using Control::Control;

    void create() override { laidOut().createAll(); }
    void fetchValue() override { laidOut().fetchAll(); }
    void draw(int mode) override { laidOut().drawAll(mode); }
    void onEvent(HostControl* control) override { laidOut().routeEvent(control); }

protected:
    // The children closed into the layout: a group's rows, a row's columns, a column's
    // children.
    virtual const ControlStack& laidOut() const = 0;
};

}  // namespace pelorix3

#endif
