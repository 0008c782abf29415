#include "panels/control_stack.h"

#include <algorithm>
#include <new>

#include "panels/control.h"

namespace pelorix3 {

ControlStack::ControlStack()
    : items(new (std::nothrow) Control*[initialCapacity]), capacity(items ? initialCapacity : 0) {}

ControlStack::~ControlStack() { delete[] items; }

bool ControlStack::push(Control* control) {
    if (top + 1 == capacity) {
        const int grown = capacity ? 2 * capacity : initialCapacity;
        Control** larger = new (std::nothrow) Control*[grown];
        if (larger == nullptr) return false;
        for (int i = 0; i < capacity; ++i) larger[i] = items[i];
        delete[] items;
        items = larger;
        capacity = grown;
    }
    items[++top] = control;
    return true;
}

Control* ControlStack::pop() { return items[top--]; }

void ControlStack::deleteAll() {
    while (!empty()) delete pop();
}

void ControlStack::createAll() const {
    for (int i = 0; i < count(); ++i) items[i]->create();
}

void ControlStack::fetchAll() const {
    for (int i = 0; i < count(); ++i) items[i]->fetchValue();
}

void ControlStack::drawAll(int mode) const {
    for (int i = 0; i < count(); ++i) items[i]->draw(mode);
}

void ControlStack::routeEvent(HostControl* control) const {
    for (int i = 0; i < count(); ++i) items[i]->onEvent(control);
}

int ControlStack::sumOfWidths() const {
    int sum = 0;
    for (int i = 0; i < count(); ++i) sum += items[i]->width();
    return sum;
}

int ControlStack::sumOfHeights() const {
    int sum = 0;
    for (int i = 0; i < count(); ++i) sum += items[i]->height();
    return sum;
}

int ControlStack::widest() const {
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, items[i]->width());
    return widest;
}

int ControlStack::tallest() const {
    int tallest = 0;
    for (int i = 0; i < count(); ++i) tallest = std::max(tallest, items[i]->height());
    return tallest;
}

}  // namespace pelorix3
