// A vertical stack of rows, with margins.
#ifndef PELORIX3_PANELS_CONTROL_GROUP_H
#define PELORIX3_PANELS_CONTROL_GROUP_H

#include "panels/control_container.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ControlRow;

class ControlGroup final : public ControlContainer {
public:
    ControlGroup(int marginX, int marginY) : ControlContainer(marginX, marginY) {}
    // Deletes the closed rows, then any row still open.
    ~ControlGroup() override;

    void place(int left, int top, int slotWidth, int slotHeight) override;
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

private:
    const ControlStack& laidOut() const override { return rows; }
};

}  // namespace pelorix3

#endif
