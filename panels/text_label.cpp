#include "panels/text_label.h"

#include "panels/text_width.h"

namespace pelorix3 {

void TextLabel::draw(int /*mode*/) {
    const DrawFuncs* funcs = drawFuncs();
    if (funcs && funcs->drawText) funcs->drawText(hostPanel(), text, colorIndex, x + 6, y + 7);
}

int TextLabel::width() const { return textWidth(text) + x; }

}  // namespace pelorix3
