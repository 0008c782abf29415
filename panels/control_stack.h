// A growable stack of tree nodes: every list of children in the layout tree.
#ifndef PELORIX3_PANELS_CONTROL_STACK_H
#define PELORIX3_PANELS_CONTROL_STACK_H

#include "framework/host_interface.h"

namespace pelorix3 {

class Control;

class ControlStack {
public:
    static constexpr int initialCapacity = 15;

    ControlStack();
    // Frees the slot array only; the owner deletes the nodes (deleteAll).
    ~ControlStack();
    ControlStack(const ControlStack&) = delete;
    ControlStack& operator=(const ControlStack&) = delete;

    // Doubles the slots when full. False (and nothing stored) when memory runs out.
    bool push(Control* control);
    // The last node, removed; the slots never shrink. Only called on a non-empty stack.
    Control* pop();
    // The last node; only called on a non-empty stack.
    Control* last() const { return items[top]; }
    bool empty() const { return top == -1; }
    int count() const { return top + 1; }
    Control* operator[](int index) const { return items[index]; }

    // Deletes every node from the last to the first and empties the stack.
    void deleteAll();

    // The walks of the tree, each over the nodes in insertion order.
    void createAll() const;
    void fetchAll() const;
    void drawAll(int mode) const;
    void routeEvent(HostControl* control) const;
    int sumOfWidths() const;
    int sumOfHeights() const;
    int widest() const;   // 0 when empty
    int tallest() const;  // 0 when empty

    Control** items;
    int top = -1;
    int capacity;
};

}  // namespace pelorix3

#endif
