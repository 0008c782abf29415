// An on/off switch.
#ifndef PELORIX3_PANELS_BOOL_FIELD_H
#define PELORIX3_PANELS_BOOL_FIELD_H

#include "panels/control.h"

namespace pelorix3 {

class BoolField final : public Control {
public:
    BoolField(const char* label, int* value, int marginX, int marginY)
        : Control(marginX, marginY), value(value), label(label) {}

    void create() override;
    void fetchValue() override;
    int width() const override;

    int* value;         // bound switch
    const char* label;  // not owned
};

}  // namespace pelorix3

#endif
