#include "panels/control_stack.h"

#include <new>

#include "panels/control.h"

namespace pelorix3 {

ControlStack::ControlStack()
    : items(new (std::nothrow) Control*[initialCapacity]),
      capacity(items ? initialCapacity : 0) {}

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

}  // namespace pelorix3
