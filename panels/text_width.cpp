#include "panels/text_width.h"

namespace pelorix3 {

namespace {

struct CharWidth {
    char character;
    int width;
};

// Narrow and wide characters of the host's panel font; everything else counts 8.
constexpr CharWidth charWidths[] = {
    {'a', 7}, {'b', 7}, {'c', 7}, {'d', 7}, {'e', 7}, {'f', 3},  {'g', 7}, {'h', 7}, {'i', 3},
    {'j', 3}, {'k', 7}, {'l', 3}, {'m', 9}, {'n', 7}, {'o', 7},  {'p', 7}, {'q', 7}, {'r', 4},
    {'s', 7}, {'t', 4}, {'u', 7}, {'v', 7}, {'w', 9}, {'x', 7},  {'y', 7}, {'z', 7}, {'I', 4},
    {'(', 4}, {')', 4}, {'[', 4}, {']', 4}, {'.', 4}, {'\'', 3}, {' ', 6},
};
constexpr int otherCharWidth = 8;

int charWidth(char c) {
    for (const CharWidth& entry : charWidths) {
        if (entry.character == c) return entry.width;
    }
    return otherCharWidth;
}

}  // namespace

int textWidth(const char* text) {
    int width = 0;
    for (const char* c = text; c && *c; ++c) width += charWidth(*c);
    return width;
}

}  // namespace pelorix3
