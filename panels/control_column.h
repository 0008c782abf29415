// A sequence of controls and nested groups, placed side by side.
#ifndef PELORIX3_PANELS_CONTROL_COLUMN_H
#define PELORIX3_PANELS_CONTROL_COLUMN_H

#include "panels/control_container.h"
#include "panels/control_stack.h"

namespace pelorix3 {

class ControlGroup;

class ControlColumn final : public ControlContainer {
public:
    ControlColumn() : ControlContainer(0, 0) {}
    ~ControlColumn() override;

    void place(int left, int top, int slotWidth, int slotHeight) override;
    int width() const override;
    int height() const override;

    // Building steps; the end operations return 1 when something below this column was
    // closed, 0 when no nested group is open in it.
    void beginGroup(int marginX, int marginY);
    void beginRow();
    void beginColumn();
    int endRow();
    int endColumn();
    int endGroup();
    // Attaches control in the innermost open column at or below this one; the tree owns it
    // from here on (a control that finds no open column there is deleted).
    void add(Control* control);

    // The nested group still open as the last child, or null.
    ControlGroup* openGroup() const;

    ControlStack children;
    int groupOpen = 0;

private:
    const ControlStack& laidOut() const override { return children; }
};

// Attaches control in the innermost open column of group's open chain, or deletes it when
// a row or column is missing on the way. The control's owner follows the chain.
void addToOpenGroup(ControlGroup& group, Control* control);

// Pushes control onto children, or deletes it when the stack cannot grow.
void attach(ControlStack& children, Control* control);

}  // namespace pelorix3

#endif
