#include "panels/control_group.h"

#include <new>

#include "framework/host_services.h"
#include "panels/control_row.h"

namespace pelorix3 {

namespace {

ControlRow* asRow(Control* node) { return static_cast<ControlRow*>(node); }

}  // namespace

ControlGroup::~ControlGroup() {
    rows.deleteAll();
    openRows.deleteAll();
}

int ControlGroup::width() const { return rows.widest() + x; }

int ControlGroup::height() const { return rows.sumOfHeights() + y; }

// Rows are stacked from the group's top, each widened to the whole slot; the slot's spare
// height is shared among them, but the running position advances by the row heights alone.
void ControlGroup::place(int left, int top, int slotWidth, int slotHeight) {
    x += left;
    y += top;
    const int n = rows.count();
    const int share = n == 0 ? 0 : (slotHeight - height()) / n;
    int position = y;
    for (int i = 0; i < n; ++i) {
        const int rowHeight = rows[i]->height();
        rows[i]->place(x, position, slotWidth, rowHeight + share);
        position += rowHeight;
    }
}

ControlRow* ControlGroup::openRow() const {
    return openRows.empty() ? nullptr : asRow(openRows.last());
}

void ControlGroup::beginGroup(int marginX, int marginY) {
    ControlRow* row = openRow();
    if (row == nullptr) {
        showMessage("ERROR: ControlGroup::beginGroup:", "Need a ControlRow!");
        return;
    }
    row->beginGroup(marginX, marginY);
}

void ControlGroup::beginRow() {
    if (ControlRow* row = openRow()) {
        row->beginRow();
        return;
    }
    auto* row = new (std::nothrow) ControlRow();
    if (row == nullptr) return;
    if (!openRows.push(row)) {
        delete row;
        return;
    }
    row->owner = owner;
}

void ControlGroup::beginColumn() {
    ControlRow* row = openRow();
    if (row == nullptr) {
        showMessage("ERROR: ControlGroup::beginColumn:", "Need a ControlRow!");
        return;
    }
    row->beginColumn();
}

int ControlGroup::endRow() {
    ControlRow* row = openRow();
    if (row == nullptr) return 0;
    if (row->endRow() != 0) return 1;
    openRows.pop();
    if (!rows.push(row)) delete row;
    return 1;
}

int ControlGroup::endColumn() {
    ControlRow* row = openRow();
    return row ? row->endColumn() : 0;
}

int ControlGroup::endGroup() {
    ControlRow* row = openRow();
    return row ? row->endGroup() : 0;
}

}  // namespace pelorix3
