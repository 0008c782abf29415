// A text the module draws itself; it has no host control.
#ifndef PELORIX3_PANELS_TEXT_LABEL_H
#define PELORIX3_PANELS_TEXT_LABEL_H

#include "panels/control.h"

namespace pelorix3 {

class TextLabel final : public Control {
public:
    TextLabel(const char* text, int colorIndex, int marginX, int marginY)
        : Control(marginX, marginY), text(text), colorIndex(colorIndex) {}

    void draw(int mode) override;
    int width() const override;

    const char* text;  // not owned
    int colorIndex;    // host colour index
};

}  // namespace pelorix3

#endif
