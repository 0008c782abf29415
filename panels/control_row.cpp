#include "panels/control_row.h"

#include <new>

#include "framework/host_services.h"
#include "panels/control_column.h"

namespace pelorix3 {

namespace {

ControlColumn* asColumn(Control* node) { return static_cast<ControlColumn*>(node); }

}  // namespace

void placeSideBySide(const ControlStack& nodes, int left, int top, int spareWidth, int slotHeight) {
    const int n = nodes.count();
    const int share = n == 0 ? 0 : spareWidth / n;
    int position = left;
    for (int i = 0; i < n; ++i) {
        const int nodeWidth = nodes[i]->width();
        nodes[i]->place(position, top, nodeWidth + share, slotHeight);
        position += nodeWidth + share;
    }
}

ControlRow::~ControlRow() {
    columns.deleteAll();
    openColumns.deleteAll();
}

int ControlRow::width() const { return columns.sumOfWidths(); }

int ControlRow::height() const { return columns.tallest(); }

void ControlRow::place(int left, int top, int slotWidth, int slotHeight) {
    x += left;
    y += top;
    placeSideBySide(columns, x, y, slotWidth - width(), slotHeight);
}

ControlColumn* ControlRow::openColumn() const {
    return openColumns.empty() ? nullptr : asColumn(openColumns.last());
}

void ControlRow::beginGroup(int marginX, int marginY) {
    ControlColumn* column = openColumn();
    if (column == nullptr) {
        showMessage("ERROR: ControlRow::beginGroup:", "Need a ControlColumn!");
        return;
    }
    column->beginGroup(marginX, marginY);
}

void ControlRow::beginRow() {
    ControlColumn* column = openColumn();
    if (column == nullptr) {
        showMessage("ERROR: ControlRow::beginRow:", "Need a ControlColumn!");
        return;
    }
    column->beginRow();
}

void ControlRow::beginColumn() {
    if (ControlColumn* column = openColumn()) {
        column->beginColumn();
        return;
    }
    auto* column = new (std::nothrow) ControlColumn();
    if (column == nullptr) return;
    if (!openColumns.push(column)) {
        delete column;
        return;
    }
    column->owner = owner;
}

int ControlRow::endRow() {
    ControlColumn* column = openColumn();
    return column ? column->endRow() : 0;
}

int ControlRow::endColumn() {
    ControlColumn* column = openColumn();
    if (column == nullptr) return 0;
    if (column->endColumn() != 0) return 1;
    openColumns.pop();
    if (!columns.push(column)) delete column;
    return 1;
}

int ControlRow::endGroup() {
    ControlColumn* column = openColumn();
    return column ? column->endGroup() : 0;
}

}  // namespace pelorix3
