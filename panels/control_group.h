// A vertical stack of rows, with margins.
#ifndef PELORIX3_PANELS_CONTROL_GROUP_H
#define PELORIX3_PANELS_CONTROL_GROUP_H

#include "panels/control.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ControlRow;

class ControlGroup final : public Control {
public:
    ControlGroup(int marginX, int marginY) : Control(marginX, marginY) {}
    // Deletes the closed rows, then any row still open.
    ~ControlGroup() override;

    void create() override;
    void place(int left, int top, int slotWidth, int slotHeight) override;
    void fetchValue() override;
    void draw(int mode) override;
    void onEvent(HostControl* control) override;
    int width() const override;
    int height() const override;

    // Building steps; the end operations return 1 when something at or below this group
    // was closed, 0 when nothing is open below it.
    void beginGroup(int marginX, int marginY);
    void beginRow();
    void beginColumn();
    int endRow();
    int endColumn();
    int endGroup();

    // The row being filled, or null.
    ControlRow* openRow() const;

    ControlStack rows;
    ControlStack openRows;
};

}  // namespace pelorix3

#endif
