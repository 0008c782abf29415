// A line of columns, side by side.
#ifndef PELORIX3_PANELS_CONTROL_ROW_H
#define PELORIX3_PANELS_CONTROL_ROW_H

#include "panels/control_container.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ControlColumn;

class ControlRow final : public ControlContainer {
public:
    ControlRow() : ControlContainer(0, 0) {}
    // Deletes the closed columns, then any column still open.
    ~ControlRow() override;

    void place(int left, int top, int slotWidth, int slotHeight) override;
    int width() const override;
    int height() const override;

    // Building steps; the end operations return 1 when something at or below this row was
    // closed, 0 when nothing is open below it.
    void beginGroup(int marginX, int marginY);
    void beginRow();
    void beginColumn();
    int endRow();
    int endColumn();
    int endGroup();

    // The column being filled, or null.
    ControlColumn* openColumn() const;

    ControlStack columns;
    ControlStack openColumns;

private:
    const ControlStack& laidOut() const override { return columns; }
};

// Places nodes side by side from the container's left edge, spreading the slot's spare
// width evenly over them; rows place their columns and columns their children this way.
void placeSideBySide(const ControlStack& nodes, int left, int top, int spareWidth, int slotHeight);

}  // namespace pelorix3

#endif
