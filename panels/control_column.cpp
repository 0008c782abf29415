#include "panels/control_column.h"

#include <new>

#include "framework/host_services.h"
#include "panels/control_group.h"
#include "panels/control_row.h"

namespace pelorix3 {

void attach(ControlStack& children, Control* control) {
    if (!children.push(control)) delete control;
}

void addToOpenGroup(ControlGroup& group, Control* control) {
    control->owner = group.owner;
    ControlRow* row = group.openRow();
    if (row == nullptr) {
        delete control;
        return;
    }
    control->owner = row->owner;
    ControlColumn* column = row->openColumn();
    if (column == nullptr) {
        delete control;
        return;
    }
    column->add(control);
}

ControlColumn::~ControlColumn() { children.deleteAll(); }

int ControlColumn::width() const { return children.sumOfWidths(); }

int ControlColumn::height() const { return children.tallest(); }

void ControlColumn::place(int left, int top, int slotWidth, int slotHeight) {
    x += left;
    y += top;
    placeSideBySide(children, x, y, slotWidth - width(), slotHeight);
}

ControlGroup* ControlColumn::openGroup() const {
    return groupOpen == 1 ? static_cast<ControlGroup*>(children.last()) : nullptr;
}

void ControlColumn::beginGroup(int marginX, int marginY) {
    if (ControlGroup* group = openGroup()) {
        group->beginGroup(marginX, marginY);
        return;
    }
    auto* group = new (std::nothrow) ControlGroup(marginX, marginY);
    if (group == nullptr) return;
    group->owner = owner;
    if (children.push(group)) {
        groupOpen = 1;
    } else {
        delete group;
    }
}

void ControlColumn::beginRow() {
    ControlGroup* group = openGroup();
    if (group == nullptr) {
        showMessage("ERROR: ControlColumn::beginRow:", "Need a ControlGroup!");
        return;
    }
    group->beginRow();
}

void ControlColumn::beginColumn() {
    ControlGroup* group = openGroup();
    if (group == nullptr) {
        showMessage("ERROR: ControlColumn::beginColumn:", "Need a ControlGroup!");
        return;
    }
    group->beginColumn();
}

int ControlColumn::endRow() {
    ControlGroup* group = openGroup();
    return group ? group->endRow() : 0;
}

int ControlColumn::endColumn() {
    ControlGroup* group = openGroup();
    return group ? group->endColumn() : 0;
}

int ControlColumn::endGroup() {
    ControlGroup* group = openGroup();
    if (group == nullptr) return 0;
    if (group->endGroup() == 0) groupOpen = 0;
    return 1;
}

void ControlColumn::add(Control* control) {
    if (control == nullptr) return;
    control->owner = owner;
    if (ControlGroup* group = openGroup()) {
        addToOpenGroup(*group, control);
    } else {
        attach(children, control);
    }
}

}  // namespace pelorix3
