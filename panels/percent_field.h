// A fraction from 0 to 1 edited as a percentage.
#ifndef PELORIX3_PANELS_PERCENT_FIELD_H
#define PELORIX3_PANELS_PERCENT_FIELD_H

#include "panels/control.h"

namespace pelorix3 {

class PercentField final : public Control {
public:
    PercentField(const char* label, double* value, int marginX, int marginY)
        : Control(marginX, marginY), value(value), label(label) {}

    void create() override;
    void fetchValue() override;
    int width() const override;

    double* value;      // bound fraction
    const char* label;  // not owned
};

}  // namespace pelorix3

#endif
