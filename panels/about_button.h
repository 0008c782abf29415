// A button that shows two credit lines through the host's message function.
#ifndef PELORIX3_PANELS_ABOUT_BUTTON_H
#define PELORIX3_PANELS_ABOUT_BUTTON_H

#include "panels/control.h"

namespace pelorix3 {

class AboutButton final : public Control {
public:
    AboutButton(const char* firstLine, const char* secondLine)
        : Control(0, 0), firstLine(firstLine), secondLine(secondLine) {}

    // Placed from the panel's size, centred near the bottom edge.
    void create() override;
    void onEvent(HostControl* control) override;
    // Takes no height in the panel: it stands in the bottom frame.
    int height() const override { return 0; }

    const char* firstLine;   // not owned
    const char* secondLine;  // not owned
};

}  // namespace pelorix3

#endif
