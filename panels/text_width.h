// The module's own estimate of how wide a text is drawn, used when measuring controls.
#ifndef PELORIX3_PANELS_TEXT_WIDTH_H
#define PELORIX3_PANELS_TEXT_WIDTH_H

namespace pelorix3 {

// Sum of the characters' widths in pixels; 0 for an empty or missing text.
int textWidth(const char* text);

}  // namespace pelorix3

#endif
